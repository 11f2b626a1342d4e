// HSMS message structure source for C++ Builder developer
// Auto create by Pravik 3.10b
// Support: Pravik for Zorv developers
// Date: 2005. 03. 07

//---------------------------------------------------------------------------
#pragma hdrstop

#include "empty.h"

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
//---------------------------------------------------------------------------
// SF
//---------------------------------------------------------------------------
short clsSF::Receive(TeZorv *X, long lMsgId, short nStream, short nFunction)
{
    short nResult=0;

    nResult = ERR_NOT_EXIST_FUNC;

    return nResult;
}
//---------------------------------------------------------------------------
short clsSF::Send(TeZorv *X, short nDevId, long lSysByte, short nStream, short nFunction, short Mode)
{
    short nResult=0;

    nResult = ERR_NOT_EXIST_FUNC;

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
