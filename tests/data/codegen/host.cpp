// HSMS message structure source for C++ Builder developer
// Auto create by Pravik 3.10b
// Support: Pravik for Zorv developers
// Date: 2005. 03. 07

//---------------------------------------------------------------------------
#pragma hdrstop

#include "host.h"

//---------------------------------------------------------------------------

#pragma package(smart_init)

//---------------------------------------------------------------------------
// Functions
//---------------------------------------------------------------------------
void Fillstr(char *dest, int size)
{
    int len = StrLen(dest);
    for(int i=len; i<size; i++) dest[i] = ' ';
    dest[size] = 0;
}
//---------------------------------------------------------------------------
void GetL(TeZorv *X, long lMsgId, short *nResult, short *nList, short MaxList)
{
    short nSubpartCount;
    if(*nResult>=0)
    {
        *nResult = X->GetListItem(lMsgId, &nSubpartCount);
        if(*nResult>=0)
        {
            if(MaxList && nSubpartCount>MaxList)
            {
                X->CloseSecsMsg(lMsgId);
                *nResult = ERR_LIST_OVERFLOW;
            }
            else if(nList != NULL)
            {
                *nList = nSubpartCount;
            }
        }
    }
}
//---------------------------------------------------------------------------
void GetA(TeZorv *X, long lMsgId, short *nResult, char *pstr, long size)
{
    BSTR bstrBuffer;
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetAsciiItem(lMsgId, &bstrBuffer, &lCount);
        if(*nResult>=0 && size>0) StrLCopy(pstr, AnsiString(bstrBuffer).c_str(), size-1);
    }
}
//---------------------------------------------------------------------------
void GetB(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetBoolItem(lMsgId, nValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetB1(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetBinaryItem(lMsgId, nValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetI1(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetI1Item(lMsgId, nValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetI2(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetI2Item(lMsgId, nValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetI4(TeZorv *X, long lMsgId, short *nResult, long *lValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetI4Item(lMsgId, lValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetI8(TeZorv *X, long lMsgId, short *nResult, long *lValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetI8Item(lMsgId, lValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetU1(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetU1Item(lMsgId, nValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetU2(TeZorv *X, long lMsgId, short *nResult, long *lValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetU2Item(lMsgId, lValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetU4(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetU4Item(lMsgId, dValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetU8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetU8Item(lMsgId, dValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetF4(TeZorv *X, long lMsgId, short *nResult, float *fValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetF4Item(lMsgId, fValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void GetF8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size)
{
    long lCount;

    if(*nResult>=0)
    {
        *nResult = X->GetF8Item(lMsgId, dValue, &lCount, size);
    }
}
//---------------------------------------------------------------------------
void SetL(TeZorv *X, long lMsgId, short *nResult, short nList, short MaxList)
{
    if(*nResult>=0)
    {
        if(MaxList && nList>MaxList)
        {
            *nResult = ERR_LIST_OVERFLOW;
        }
        else
        {
            *nResult = X->SetListItem(lMsgId, nList);
        }
    }
}
//---------------------------------------------------------------------------
void SetA(TeZorv *X, long lMsgId, short *nResult, char *pstr, long size)
{
    if(*nResult>=0)
    {
        Fillstr(pstr, size);
        *nResult = X->SetStringItem(lMsgId, &WideString(pstr), StrLen(pstr));
    }
}
//---------------------------------------------------------------------------
void SetB(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetBoolItem(lMsgId, nValue, size/sizeof(B));
    }
}
//---------------------------------------------------------------------------
void SetB1(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetBinaryItem(lMsgId, nValue, size/sizeof(B1));
    }
}
//---------------------------------------------------------------------------
void SetI1(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetI1Item(lMsgId, nValue, size/sizeof(I1));
    }
}
//---------------------------------------------------------------------------
void SetI2(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetI2Item(lMsgId, nValue, size/sizeof(I2));
    }
}
//---------------------------------------------------------------------------
void SetI4(TeZorv *X, long lMsgId, short *nResult, long *lValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetI4Item(lMsgId, lValue, size/sizeof(I4));
    }
}
//---------------------------------------------------------------------------
void SetI8(TeZorv *X, long lMsgId, short *nResult, long *lValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetI8Item(lMsgId, lValue, size/sizeof(I8));
    }
}
//---------------------------------------------------------------------------
void SetU1(TeZorv *X, long lMsgId, short *nResult, short *nValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetU1Item(lMsgId, nValue, size/sizeof(U1));
    }
}
//---------------------------------------------------------------------------
void SetU2(TeZorv *X, long lMsgId, short *nResult, long *lValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetU2Item(lMsgId, lValue, size/sizeof(U2));
    }
}
//---------------------------------------------------------------------------
void SetU4(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetU4Item(lMsgId, dValue, size/sizeof(U4));
    }
}
//---------------------------------------------------------------------------
void SetU8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetU8Item(lMsgId, dValue, size/sizeof(U8));
    }
}
//---------------------------------------------------------------------------
void SetF4(TeZorv *X, long lMsgId, short *nResult, float *fValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetF4Item(lMsgId, fValue, size/sizeof(F4));
    }
}
//---------------------------------------------------------------------------
void SetF8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size)
{
    if(*nResult>=0)
    {
        *nResult = X->SetF8Item(lMsgId, dValue, size/sizeof(F8));
    }
}

//---------------------------------------------------------------------------
void clsS1F1::Clear(short Mode)
{
}
//---------------------------------------------------------------------------
short clsS1F1::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();


    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F1::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 1, lSysByte);


    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F2::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS1F2::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetA (X, lMsgId, &nResult,  L1.MDLN, sizeof(L1.MDLN));
        GetA (X, lMsgId, &nResult,  L1.SOFTREV, sizeof(L1.SOFTREV));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F2::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 2, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetA (X, lMsgId, &nResult,  L1.MDLN, sizeof(L1.MDLN)-1);
        SetA (X, lMsgId, &nResult,  L1.SOFTREV, sizeof(L1.SOFTREV)-1);

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F3::Clear(short Mode)
{
    memset(L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS1F3::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, &SVIDs, Max_SVIDs);
    for(int i=0; i<SVIDs; i++)
    {
        if(nResult<0) break;
        GetU4(X, lMsgId, &nResult, &L1[i].SVID);
    }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F3::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 3, lSysByte);

    SetL (X, lMsgId, &nResult, SVIDs, Max_SVIDs);
    for(int i=0; i<SVIDs; i++)
    {
        if(nResult<0) break;
        SetU4(X, lMsgId, &nResult, &L1[i].SVID, sizeof(L1[i].SVID));
    }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F4::Clear(short Mode)
{
    memset(L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS1F4::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, &SVs, Max_SVs);
    for(int i=0; i<SVs; i++)
    {
        if(nResult<0) break;
        GetA (X, lMsgId, &nResult,  L1[i].SV, sizeof(L1[i].SV));
    }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F4::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 4, lSysByte);

    SetL (X, lMsgId, &nResult, SVs, Max_SVs);
    for(int i=0; i<SVs; i++)
    {
        if(nResult<0) break;
        SetA (X, lMsgId, &nResult,  L1[i].SV, sizeof(L1[i].SV)-1);
    }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F11::Clear(short Mode)
{
    memset(L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS1F11::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, &SVIDs, Max_SVIDs);
    for(int i=0; i<SVIDs; i++)
    {
        if(nResult<0) break;
        GetU4(X, lMsgId, &nResult, &L1[i].SVID);
    }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F11::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 11, lSysByte);

    SetL (X, lMsgId, &nResult, SVIDs, Max_SVIDs);
    for(int i=0; i<SVIDs; i++)
    {
        if(nResult<0) break;
        SetU4(X, lMsgId, &nResult, &L1[i].SVID, sizeof(L1[i].SVID));
    }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F12::Clear(short Mode)
{
    memset(L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS1F12::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, &Names, Max_Names);
    for(int i=0; i<Names; i++)
    {
        if(nResult<0) break;
        GetL (X, lMsgId, &nResult, NULL);
            GetU4(X, lMsgId, &nResult, &L1[i].L1.SVID);
            GetA (X, lMsgId, &nResult,  L1[i].L1.SVNAME, sizeof(L1[i].L1.SVNAME));
            GetA (X, lMsgId, &nResult,  L1[i].L1.UNITS, sizeof(L1[i].L1.UNITS));
    }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F12::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 12, lSysByte);

    SetL (X, lMsgId, &nResult, Names, Max_Names);
    for(int i=0; i<Names; i++)
    {
        if(nResult<0) break;
        SetL (X, lMsgId, &nResult, 3);
            SetU4(X, lMsgId, &nResult, &L1[i].L1.SVID, sizeof(L1[i].L1.SVID));
            SetA (X, lMsgId, &nResult,  L1[i].L1.SVNAME, sizeof(L1[i].L1.SVNAME)-1);
            SetA (X, lMsgId, &nResult,  L1[i].L1.UNITS, sizeof(L1[i].L1.UNITS)-1);
    }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F13::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS1F13::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetA (X, lMsgId, &nResult,  L1.MDLN, sizeof(L1.MDLN));
        GetA (X, lMsgId, &nResult,  L1.SOFTREV, sizeof(L1.SOFTREV));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F13::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 13, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetA (X, lMsgId, &nResult,  L1.MDLN, sizeof(L1.MDLN)-1);
        SetA (X, lMsgId, &nResult,  L1.SOFTREV, sizeof(L1.SOFTREV)-1);

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F14::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS1F14::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetB1(X, lMsgId, &nResult, &L1.COMMACK);
        GetL (X, lMsgId, &nResult, NULL);
            GetA (X, lMsgId, &nResult,  L1.L1.MDLN, sizeof(L1.L1.MDLN));
            GetA (X, lMsgId, &nResult,  L1.L1.SOFTREV, sizeof(L1.L1.SOFTREV));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F14::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 14, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetB1(X, lMsgId, &nResult, &L1.COMMACK, sizeof(L1.COMMACK));
        SetL (X, lMsgId, &nResult, 2);
            SetA (X, lMsgId, &nResult,  L1.L1.MDLN, sizeof(L1.L1.MDLN)-1);
            SetA (X, lMsgId, &nResult,  L1.L1.SOFTREV, sizeof(L1.L1.SOFTREV)-1);

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F15::Clear(short Mode)
{
}
//---------------------------------------------------------------------------
short clsS1F15::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();


    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F15::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 15, lSysByte);


    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F16::Clear(short Mode)
{
    memset(&OFLACK, 0, sizeof(OFLACK));
}
//---------------------------------------------------------------------------
short clsS1F16::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &OFLACK);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F16::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 16, lSysByte);

    SetB1(X, lMsgId, &nResult, &OFLACK, sizeof(OFLACK));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F17::Clear(short Mode)
{
}
//---------------------------------------------------------------------------
short clsS1F17::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();


    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F17::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 17, lSysByte);


    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS1F18::Clear(short Mode)
{
    memset(&ONLACK, 0, sizeof(ONLACK));
}
//---------------------------------------------------------------------------
short clsS1F18::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &ONLACK);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS1F18::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 18, lSysByte);

    SetB1(X, lMsgId, &nResult, &ONLACK, sizeof(ONLACK));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F13::Clear(short Mode)
{
    memset(L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS2F13::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, &ECIDs, Max_ECIDs);
    for(int i=0; i<ECIDs; i++)
    {
        if(nResult<0) break;
        GetU4(X, lMsgId, &nResult, &L1[i].ECID);
    }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F13::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 13, lSysByte);

    SetL (X, lMsgId, &nResult, ECIDs, Max_ECIDs);
    for(int i=0; i<ECIDs; i++)
    {
        if(nResult<0) break;
        SetU4(X, lMsgId, &nResult, &L1[i].ECID, sizeof(L1[i].ECID));
    }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F14::Clear(short Mode)
{
    memset(L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS2F14::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, &ECVs, Max_ECVs);
    for(int i=0; i<ECVs; i++)
    {
        if(nResult<0) break;
        GetF4(X, lMsgId, &nResult, &L1[i].ECV);
    }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F14::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 14, lSysByte);

    SetL (X, lMsgId, &nResult, ECVs, Max_ECVs);
    for(int i=0; i<ECVs; i++)
    {
        if(nResult<0) break;
        SetF4(X, lMsgId, &nResult, &L1[i].ECV, sizeof(L1[i].ECV));
    }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F15::Clear(short Mode)
{
    memset(L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS2F15::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, &Constants, Max_Constants);
    for(int i=0; i<Constants; i++)
    {
        if(nResult<0) break;
        GetL (X, lMsgId, &nResult, NULL);
            GetU4(X, lMsgId, &nResult, &L1[i].L1.ECID);
            GetF4(X, lMsgId, &nResult, &L1[i].L1.ECV);
    }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F15::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 15, lSysByte);

    SetL (X, lMsgId, &nResult, Constants, Max_Constants);
    for(int i=0; i<Constants; i++)
    {
        if(nResult<0) break;
        SetL (X, lMsgId, &nResult, 2);
            SetU4(X, lMsgId, &nResult, &L1[i].L1.ECID, sizeof(L1[i].L1.ECID));
            SetF4(X, lMsgId, &nResult, &L1[i].L1.ECV, sizeof(L1[i].L1.ECV));
    }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F16::Clear(short Mode)
{
    memset(&EAC, 0, sizeof(EAC));
}
//---------------------------------------------------------------------------
short clsS2F16::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &EAC);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F16::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 16, lSysByte);

    SetB1(X, lMsgId, &nResult, &EAC, sizeof(EAC));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F17::Clear(short Mode)
{
}
//---------------------------------------------------------------------------
short clsS2F17::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();


    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F17::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 17, lSysByte);


    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F18::Clear(short Mode)
{
    memset(TIME, 0, sizeof(TIME));
}
//---------------------------------------------------------------------------
short clsS2F18::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetA (X, lMsgId, &nResult,  TIME, sizeof(TIME));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F18::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 18, lSysByte);

    SetA (X, lMsgId, &nResult,  TIME, sizeof(TIME)-1);

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F31::Clear(short Mode)
{
    memset(TIME, 0, sizeof(TIME));
}
//---------------------------------------------------------------------------
short clsS2F31::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetA (X, lMsgId, &nResult,  TIME, sizeof(TIME));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F31::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 31, lSysByte);

    SetA (X, lMsgId, &nResult,  TIME, sizeof(TIME)-1);

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F32::Clear(short Mode)
{
    memset(&TIACK, 0, sizeof(TIACK));
}
//---------------------------------------------------------------------------
short clsS2F32::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &TIACK);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F32::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 32, lSysByte);

    SetB1(X, lMsgId, &nResult, &TIACK, sizeof(TIACK));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F33::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS2F33::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetU4(X, lMsgId, &nResult, &L1.DATAID);
        GetL (X, lMsgId, &nResult, &L1.Reports, Max_Reports);
        for(int i=0; i<L1.Reports; i++)
        {
            if(nResult<0) break;
            GetL (X, lMsgId, &nResult, NULL);
                GetU4(X, lMsgId, &nResult, &L1.L1[i].L1.RPTID);
                GetL (X, lMsgId, &nResult, &L1.L1[i].L1.VIDs, Max_VIDs);
                for(int j=0; j<L1.L1[i].L1.VIDs; j++)
                {
                    if(nResult<0) break;
                    GetU4(X, lMsgId, &nResult, &L1.L1[i].L1.L1[j].VID);
                }
        }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F33::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 33, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetU4(X, lMsgId, &nResult, &L1.DATAID, sizeof(L1.DATAID));
        SetL (X, lMsgId, &nResult, L1.Reports, Max_Reports);
        for(int i=0; i<L1.Reports; i++)
        {
            if(nResult<0) break;
            SetL (X, lMsgId, &nResult, 2);
                SetU4(X, lMsgId, &nResult, &L1.L1[i].L1.RPTID, sizeof(L1.L1[i].L1.RPTID));
                SetL (X, lMsgId, &nResult, L1.L1[i].L1.VIDs, Max_VIDs);
                for(int j=0; j<L1.L1[i].L1.VIDs; j++)
                {
                    if(nResult<0) break;
                    SetU4(X, lMsgId, &nResult, &L1.L1[i].L1.L1[j].VID, sizeof(L1.L1[i].L1.L1[j].VID));
                }
        }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F34::Clear(short Mode)
{
    memset(&DRACK, 0, sizeof(DRACK));
}
//---------------------------------------------------------------------------
short clsS2F34::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &DRACK);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F34::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 34, lSysByte);

    SetB1(X, lMsgId, &nResult, &DRACK, sizeof(DRACK));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F35::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS2F35::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetU4(X, lMsgId, &nResult, &L1.DATAID);
        GetL (X, lMsgId, &nResult, &L1.Events, Max_Events);
        for(int i=0; i<L1.Events; i++)
        {
            if(nResult<0) break;
            GetL (X, lMsgId, &nResult, NULL);
                GetU4(X, lMsgId, &nResult, &L1.L1[i].L1.CEID);
                GetL (X, lMsgId, &nResult, &L1.L1[i].L1.RPTIDs, Max_RPTIDs);
                for(int j=0; j<L1.L1[i].L1.RPTIDs; j++)
                {
                    if(nResult<0) break;
                    GetU4(X, lMsgId, &nResult, &L1.L1[i].L1.L1[j].RPTID);
                }
        }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F35::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 35, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetU4(X, lMsgId, &nResult, &L1.DATAID, sizeof(L1.DATAID));
        SetL (X, lMsgId, &nResult, L1.Events, Max_Events);
        for(int i=0; i<L1.Events; i++)
        {
            if(nResult<0) break;
            SetL (X, lMsgId, &nResult, 2);
                SetU4(X, lMsgId, &nResult, &L1.L1[i].L1.CEID, sizeof(L1.L1[i].L1.CEID));
                SetL (X, lMsgId, &nResult, L1.L1[i].L1.RPTIDs, Max_RPTIDs);
                for(int j=0; j<L1.L1[i].L1.RPTIDs; j++)
                {
                    if(nResult<0) break;
                    SetU4(X, lMsgId, &nResult, &L1.L1[i].L1.L1[j].RPTID, sizeof(L1.L1[i].L1.L1[j].RPTID));
                }
        }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F36::Clear(short Mode)
{
    memset(&LRACK, 0, sizeof(LRACK));
}
//---------------------------------------------------------------------------
short clsS2F36::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &LRACK);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F36::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 36, lSysByte);

    SetB1(X, lMsgId, &nResult, &LRACK, sizeof(LRACK));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F37::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS2F37::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetB (X, lMsgId, &nResult, &L1.CEED);
        GetL (X, lMsgId, &nResult, &L1.CEIDs, Max_CEIDs);
        for(int i=0; i<L1.CEIDs; i++)
        {
            if(nResult<0) break;
            GetU4(X, lMsgId, &nResult, &L1.L1[i].CEID);
        }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F37::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 37, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetB(X, lMsgId, &nResult, &L1.CEED, sizeof(L1.CEED));
        SetL (X, lMsgId, &nResult, L1.CEIDs, Max_CEIDs);
        for(int i=0; i<L1.CEIDs; i++)
        {
            if(nResult<0) break;
            SetU4(X, lMsgId, &nResult, &L1.L1[i].CEID, sizeof(L1.L1[i].CEID));
        }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F38::Clear(short Mode)
{
    memset(&ERACK, 0, sizeof(ERACK));
}
//---------------------------------------------------------------------------
short clsS2F38::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &ERACK);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F38::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 38, lSysByte);

    SetB1(X, lMsgId, &nResult, &ERACK, sizeof(ERACK));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F41::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS2F41::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetA (X, lMsgId, &nResult,  L1.RCMD, sizeof(L1.RCMD));
        GetL (X, lMsgId, &nResult, &L1.Parameters, Max_Parameters);
        for(int i=0; i<L1.Parameters; i++)
        {
            if(nResult<0) break;
            GetL (X, lMsgId, &nResult, NULL);
                GetA (X, lMsgId, &nResult,  L1.L1[i].L1.CPNAME, sizeof(L1.L1[i].L1.CPNAME));
                GetA (X, lMsgId, &nResult,  L1.L1[i].L1.CPVAL, sizeof(L1.L1[i].L1.CPVAL));
        }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F41::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 41, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetA (X, lMsgId, &nResult,  L1.RCMD, sizeof(L1.RCMD)-1);
        SetL (X, lMsgId, &nResult, L1.Parameters, Max_Parameters);
        for(int i=0; i<L1.Parameters; i++)
        {
            if(nResult<0) break;
            SetL (X, lMsgId, &nResult, 2);
                SetA (X, lMsgId, &nResult,  L1.L1[i].L1.CPNAME, sizeof(L1.L1[i].L1.CPNAME)-1);
                SetA (X, lMsgId, &nResult,  L1.L1[i].L1.CPVAL, sizeof(L1.L1[i].L1.CPVAL)-1);
        }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS2F42::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS2F42::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetB1(X, lMsgId, &nResult, &L1.HCACK);
        GetL (X, lMsgId, &nResult, &L1.Parameters, Max_Parameters);
        for(int i=0; i<L1.Parameters; i++)
        {
            if(nResult<0) break;
            GetL (X, lMsgId, &nResult, NULL);
                GetA (X, lMsgId, &nResult,  L1.L1[i].L1.CPNAME, sizeof(L1.L1[i].L1.CPNAME));
                GetB1(X, lMsgId, &nResult, &L1.L1[i].L1.CPACK);
        }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS2F42::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 2, 42, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetB1(X, lMsgId, &nResult, &L1.HCACK, sizeof(L1.HCACK));
        SetL (X, lMsgId, &nResult, L1.Parameters, Max_Parameters);
        for(int i=0; i<L1.Parameters; i++)
        {
            if(nResult<0) break;
            SetL (X, lMsgId, &nResult, 2);
                SetA (X, lMsgId, &nResult,  L1.L1[i].L1.CPNAME, sizeof(L1.L1[i].L1.CPNAME)-1);
                SetB1(X, lMsgId, &nResult, &L1.L1[i].L1.CPACK, sizeof(L1.L1[i].L1.CPACK));
        }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS5F1::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS5F1::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetB1(X, lMsgId, &nResult, &L1.ALCD);
        GetU4(X, lMsgId, &nResult, &L1.ALID);
        GetA (X, lMsgId, &nResult,  L1.ALTX, sizeof(L1.ALTX));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS5F1::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 5, 1, lSysByte);

    SetL (X, lMsgId, &nResult, 3);
        SetB1(X, lMsgId, &nResult, &L1.ALCD, sizeof(L1.ALCD));
        SetU4(X, lMsgId, &nResult, &L1.ALID, sizeof(L1.ALID));
        SetA (X, lMsgId, &nResult,  L1.ALTX, sizeof(L1.ALTX)-1);

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS5F2::Clear(short Mode)
{
    memset(&ACKC5, 0, sizeof(ACKC5));
}
//---------------------------------------------------------------------------
short clsS5F2::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &ACKC5);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS5F2::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 5, 2, lSysByte);

    SetB1(X, lMsgId, &nResult, &ACKC5, sizeof(ACKC5));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS5F3::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS5F3::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetB1(X, lMsgId, &nResult, &L1.ALED);
        GetU4(X, lMsgId, &nResult, &L1.ALID);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS5F3::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 5, 3, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetB1(X, lMsgId, &nResult, &L1.ALED, sizeof(L1.ALED));
        SetU4(X, lMsgId, &nResult, &L1.ALID, sizeof(L1.ALID));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS5F4::Clear(short Mode)
{
    memset(&ACKC5, 0, sizeof(ACKC5));
}
//---------------------------------------------------------------------------
short clsS5F4::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &ACKC5);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS5F4::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 5, 4, lSysByte);

    SetB1(X, lMsgId, &nResult, &ACKC5, sizeof(ACKC5));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS6F11::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS6F11::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetU4(X, lMsgId, &nResult, &L1.DATAID);
        GetU4(X, lMsgId, &nResult, &L1.CEID);
        GetL (X, lMsgId, &nResult, &L1.RPT, Max_RPT);
        for(int i=0; i<L1.RPT; i++)
        {
            if(nResult<0) break;
            GetL (X, lMsgId, &nResult, NULL);
                GetU4(X, lMsgId, &nResult, &L1.L1[i].L1.RPTID);
                GetL (X, lMsgId, &nResult, &L1.L1[i].L1.V, Max_V);
                for(int j=0; j<L1.L1[i].L1.V; j++)
                {
                    if(nResult<0) break;
                    GetA (X, lMsgId, &nResult,  L1.L1[i].L1.L1[j].VALUE, sizeof(L1.L1[i].L1.L1[j].VALUE));
                }
        }

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS6F11::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 6, 11, lSysByte);

    SetL (X, lMsgId, &nResult, 3);
        SetU4(X, lMsgId, &nResult, &L1.DATAID, sizeof(L1.DATAID));
        SetU4(X, lMsgId, &nResult, &L1.CEID, sizeof(L1.CEID));
        SetL (X, lMsgId, &nResult, L1.RPT, Max_RPT);
        for(int i=0; i<L1.RPT; i++)
        {
            if(nResult<0) break;
            SetL (X, lMsgId, &nResult, 2);
                SetU4(X, lMsgId, &nResult, &L1.L1[i].L1.RPTID, sizeof(L1.L1[i].L1.RPTID));
                SetL (X, lMsgId, &nResult, L1.L1[i].L1.V, Max_V);
                for(int j=0; j<L1.L1[i].L1.V; j++)
                {
                    if(nResult<0) break;
                    SetA (X, lMsgId, &nResult,  L1.L1[i].L1.L1[j].VALUE, sizeof(L1.L1[i].L1.L1[j].VALUE)-1);
                }
        }

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS6F12::Clear(short Mode)
{
    memset(&ACKC6, 0, sizeof(ACKC6));
}
//---------------------------------------------------------------------------
short clsS6F12::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &ACKC6);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS6F12::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 6, 12, lSysByte);

    SetB1(X, lMsgId, &nResult, &ACKC6, sizeof(ACKC6));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS9F11::Clear(short Mode)
{
    memset(MHEAD, 0, sizeof(MHEAD));
}
//---------------------------------------------------------------------------
short clsS9F11::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult,  MHEAD, sizeof(MHEAD)/sizeof(MHEAD[0]));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS9F11::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 9, 11, lSysByte);

    SetB1(X, lMsgId, &nResult,  MHEAD, sizeof(MHEAD));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS10F1::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS10F1::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetB1(X, lMsgId, &nResult, &L1.TID);
        GetA (X, lMsgId, &nResult,  L1.TEXT, sizeof(L1.TEXT));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS10F1::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 10, 1, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetB1(X, lMsgId, &nResult, &L1.TID, sizeof(L1.TID));
        SetA (X, lMsgId, &nResult,  L1.TEXT, sizeof(L1.TEXT)-1);

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS10F2::Clear(short Mode)
{
    memset(&ACKC10, 0, sizeof(ACKC10));
}
//---------------------------------------------------------------------------
short clsS10F2::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &ACKC10);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS10F2::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 10, 2, lSysByte);

    SetB1(X, lMsgId, &nResult, &ACKC10, sizeof(ACKC10));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS10F3::Clear(short Mode)
{
    memset(&L1, 0, sizeof(L1));
}
//---------------------------------------------------------------------------
short clsS10F3::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetL (X, lMsgId, &nResult, NULL);
        GetB1(X, lMsgId, &nResult, &L1.TID);
        GetA (X, lMsgId, &nResult,  L1.TEXT, sizeof(L1.TEXT));

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS10F3::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 10, 3, lSysByte);

    SetL (X, lMsgId, &nResult, 2);
        SetB1(X, lMsgId, &nResult, &L1.TID, sizeof(L1.TID));
        SetA (X, lMsgId, &nResult,  L1.TEXT, sizeof(L1.TEXT)-1);

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
void clsS10F4::Clear(short Mode)
{
    memset(&ACKC10, 0, sizeof(ACKC10));
}
//---------------------------------------------------------------------------
short clsS10F4::Receive(TeZorv *X, long lMsgId)
{
    short nResult=0;

    Clear();

    GetB1(X, lMsgId, &nResult, &ACKC10);

    X->CloseSecsMsg(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
short clsS10F4::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)
{
    short nResult=0;
    long lMsgId;

    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 10, 4, lSysByte);

    SetB1(X, lMsgId, &nResult, &ACKC10, sizeof(ACKC10));

    if(nResult>=0) nResult = X->Send(lMsgId);
    return nResult;
}
//---------------------------------------------------------------------------
//---------------------------------------------------------------------------
//S1 Recive
//---------------------------------------------------------------------------
short clsS1::Receive(TeZorv *X, long lMsgId, short nFunction)
{
    short nResult=0;

    if(nFunction == 1)
    {
        nResult = f1.Receive(X, lMsgId);
    }
    else if(nFunction == 2)
    {
        nResult = f2.Receive(X, lMsgId);
    }
    else if(nFunction == 3)
    {
        nResult = f3.Receive(X, lMsgId);
    }
    else if(nFunction == 4)
    {
        nResult = f4.Receive(X, lMsgId);
    }
    else if(nFunction == 11)
    {
        nResult = f11.Receive(X, lMsgId);
    }
    else if(nFunction == 12)
    {
        nResult = f12.Receive(X, lMsgId);
    }
    else if(nFunction == 13)
    {
        nResult = f13.Receive(X, lMsgId);
    }
    else if(nFunction == 14)
    {
        nResult = f14.Receive(X, lMsgId);
    }
    else if(nFunction == 15)
    {
        nResult = f15.Receive(X, lMsgId);
    }
    else if(nFunction == 16)
    {
        nResult = f16.Receive(X, lMsgId);
    }
    else if(nFunction == 17)
    {
        nResult = f17.Receive(X, lMsgId);
    }
    else if(nFunction == 18)
    {
        nResult = f18.Receive(X, lMsgId);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S2 Recive
//---------------------------------------------------------------------------
short clsS2::Receive(TeZorv *X, long lMsgId, short nFunction)
{
    short nResult=0;

    if(nFunction == 13)
    {
        nResult = f13.Receive(X, lMsgId);
    }
    else if(nFunction == 14)
    {
        nResult = f14.Receive(X, lMsgId);
    }
    else if(nFunction == 15)
    {
        nResult = f15.Receive(X, lMsgId);
    }
    else if(nFunction == 16)
    {
        nResult = f16.Receive(X, lMsgId);
    }
    else if(nFunction == 17)
    {
        nResult = f17.Receive(X, lMsgId);
    }
    else if(nFunction == 18)
    {
        nResult = f18.Receive(X, lMsgId);
    }
    else if(nFunction == 31)
    {
        nResult = f31.Receive(X, lMsgId);
    }
    else if(nFunction == 32)
    {
        nResult = f32.Receive(X, lMsgId);
    }
    else if(nFunction == 33)
    {
        nResult = f33.Receive(X, lMsgId);
    }
    else if(nFunction == 34)
    {
        nResult = f34.Receive(X, lMsgId);
    }
    else if(nFunction == 35)
    {
        nResult = f35.Receive(X, lMsgId);
    }
    else if(nFunction == 36)
    {
        nResult = f36.Receive(X, lMsgId);
    }
    else if(nFunction == 37)
    {
        nResult = f37.Receive(X, lMsgId);
    }
    else if(nFunction == 38)
    {
        nResult = f38.Receive(X, lMsgId);
    }
    else if(nFunction == 41)
    {
        nResult = f41.Receive(X, lMsgId);
    }
    else if(nFunction == 42)
    {
        nResult = f42.Receive(X, lMsgId);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S5 Recive
//---------------------------------------------------------------------------
short clsS5::Receive(TeZorv *X, long lMsgId, short nFunction)
{
    short nResult=0;

    if(nFunction == 1)
    {
        nResult = f1.Receive(X, lMsgId);
    }
    else if(nFunction == 2)
    {
        nResult = f2.Receive(X, lMsgId);
    }
    else if(nFunction == 3)
    {
        nResult = f3.Receive(X, lMsgId);
    }
    else if(nFunction == 4)
    {
        nResult = f4.Receive(X, lMsgId);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S6 Recive
//---------------------------------------------------------------------------
short clsS6::Receive(TeZorv *X, long lMsgId, short nFunction)
{
    short nResult=0;

    if(nFunction == 11)
    {
        nResult = f11.Receive(X, lMsgId);
    }
    else if(nFunction == 12)
    {
        nResult = f12.Receive(X, lMsgId);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S9 Recive
//---------------------------------------------------------------------------
short clsS9::Receive(TeZorv *X, long lMsgId, short nFunction)
{
    short nResult=0;

    if(nFunction == 11)
    {
        nResult = f11.Receive(X, lMsgId);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S10 Recive
//---------------------------------------------------------------------------
short clsS10::Receive(TeZorv *X, long lMsgId, short nFunction)
{
    short nResult=0;

    if(nFunction == 1)
    {
        nResult = f1.Receive(X, lMsgId);
    }
    else if(nFunction == 2)
    {
        nResult = f2.Receive(X, lMsgId);
    }
    else if(nFunction == 3)
    {
        nResult = f3.Receive(X, lMsgId);
    }
    else if(nFunction == 4)
    {
        nResult = f4.Receive(X, lMsgId);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S1Send
//---------------------------------------------------------------------------
short clsS1::Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode)
{
    short nResult=0;

    if(nFunction == 1)
    {
        nResult = f1.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 2)
    {
        nResult = f2.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 3)
    {
        nResult = f3.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 4)
    {
        nResult = f4.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 11)
    {
        nResult = f11.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 12)
    {
        nResult = f12.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 13)
    {
        nResult = f13.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 14)
    {
        nResult = f14.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 15)
    {
        nResult = f15.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 16)
    {
        nResult = f16.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 17)
    {
        nResult = f17.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 18)
    {
        nResult = f18.Send(X, nDevId, lSysByte, Mode);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S2Send
//---------------------------------------------------------------------------
short clsS2::Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode)
{
    short nResult=0;

    if(nFunction == 13)
    {
        nResult = f13.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 14)
    {
        nResult = f14.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 15)
    {
        nResult = f15.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 16)
    {
        nResult = f16.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 17)
    {
        nResult = f17.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 18)
    {
        nResult = f18.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 31)
    {
        nResult = f31.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 32)
    {
        nResult = f32.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 33)
    {
        nResult = f33.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 34)
    {
        nResult = f34.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 35)
    {
        nResult = f35.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 36)
    {
        nResult = f36.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 37)
    {
        nResult = f37.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 38)
    {
        nResult = f38.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 41)
    {
        nResult = f41.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 42)
    {
        nResult = f42.Send(X, nDevId, lSysByte, Mode);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S5Send
//---------------------------------------------------------------------------
short clsS5::Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode)
{
    short nResult=0;

    if(nFunction == 1)
    {
        nResult = f1.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 2)
    {
        nResult = f2.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 3)
    {
        nResult = f3.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 4)
    {
        nResult = f4.Send(X, nDevId, lSysByte, Mode);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S6Send
//---------------------------------------------------------------------------
short clsS6::Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode)
{
    short nResult=0;

    if(nFunction == 11)
    {
        nResult = f11.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 12)
    {
        nResult = f12.Send(X, nDevId, lSysByte, Mode);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S9Send
//---------------------------------------------------------------------------
short clsS9::Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode)
{
    short nResult=0;

    if(nFunction == 11)
    {
        nResult = f11.Send(X, nDevId, lSysByte, Mode);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
//S10Send
//---------------------------------------------------------------------------
short clsS10::Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode)
{
    short nResult=0;

    if(nFunction == 1)
    {
        nResult = f1.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 2)
    {
        nResult = f2.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 3)
    {
        nResult = f3.Send(X, nDevId, lSysByte, Mode);
    }
    else if(nFunction == 4)
    {
        nResult = f4.Send(X, nDevId, lSysByte, Mode);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
// SF
//---------------------------------------------------------------------------
short clsSF::Receive(TeZorv *X, long lMsgId, short nStream, short nFunction)
{
    short nResult=0;

    if(nStream == 1)
    {
        nResult = s1.Receive(X, lMsgId, nFunction);
    }
    else if(nStream == 2)
    {
        nResult = s2.Receive(X, lMsgId, nFunction);
    }
    else if(nStream == 5)
    {
        nResult = s5.Receive(X, lMsgId, nFunction);
    }
    else if(nStream == 6)
    {
        nResult = s6.Receive(X, lMsgId, nFunction);
    }
    else if(nStream == 9)
    {
        nResult = s9.Receive(X, lMsgId, nFunction);
    }
    else if(nStream == 10)
    {
        nResult = s10.Receive(X, lMsgId, nFunction);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
short clsSF::Send(TeZorv *X, short nDevId, long lSysByte, short nStream, short nFunction, short Mode)
{
    short nResult=0;

    if(nStream == 1)
    {
        nResult = s1.Send(X, nDevId, lSysByte, nFunction, Mode);
    }
    else if(nStream == 2)
    {
        nResult = s2.Send(X, nDevId, lSysByte, nFunction, Mode);
    }
    else if(nStream == 5)
    {
        nResult = s5.Send(X, nDevId, lSysByte, nFunction, Mode);
    }
    else if(nStream == 6)
    {
        nResult = s6.Send(X, nDevId, lSysByte, nFunction, Mode);
    }
    else if(nStream == 9)
    {
        nResult = s9.Send(X, nDevId, lSysByte, nFunction, Mode);
    }
    else if(nStream == 10)
    {
        nResult = s10.Send(X, nDevId, lSysByte, nFunction, Mode);
    }
    else
    {
        nResult = ERR_NOT_EXIST_FUNC;
    }

    return nResult;
}
//---------------------------------------------------------------------------
short clsSF::AutoReply(TeZorv *X, long lMsgId, short nStream, short nFunction, long lSysByte, short nWbit)
{
    short nResult;
    unsigned char dBuff[10];
    AnsiString Msg;

    X->GetHeaderBytes(lMsgId, (short*)dBuff,10);
    nResult = Receive(X, lMsgId, nStream, nFunction);

    if(nResult>=0)
    {
        //이부분에서 Zorv Recive Log를 기록하십시오.
        if(nWbit)
        {
            if(/*오프라인이 아니거나 오프라인 상태에서 응답을 보낼 메시지에서*/) //정상 Reply메시지를 보내는 부분
            {
                nResult = Send(X, Value_DeviceID,lSysByte, nStream, nFunction+1, nResult);
            }
            else //S*F0를 보내는 부분
            {
                nResult = Send(X, Value_DeviceID,lSysByte, nStream, 0, nResult);
            }
        }
    }
    else if(nResult == ERR_LIST_OVERFLOW) //S9F11처리 부분
    {
        s9.f11.Clear();
        for(int i=0; i<10 && i<(int)(sizeof(s9.f11.MHEAD)/sizeof(s9.f11.MHEAD[0])); i++)
        {
            s9.f11.MHEAD[i] = dBuff[i];
        }
        nResult = Send(X, Value_DeviceID, 0, 9, 11);
    }
    return nResult;
}
//---------------------------------------------------------------------------
// Variables
//---------------------------------------------------------------------------
clsSF hsms;
