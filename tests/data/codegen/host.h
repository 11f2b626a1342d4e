// HSMS message structure header for C++ Builder developer
// Auto create by Pravik 3.10b
// Support: Pravik for Zorv developers
// Date: 2005. 03. 07

//---------------------------------------------------------------------------

#ifndef HOSTH
#define HOSTH

//---------------------------------------------------------------------------
// Include header
//---------------------------------------------------------------------------
#include "EZORVLib_OCX.h"

//---------------------------------------------------------------------------
// Type define
//---------------------------------------------------------------------------
typedef char       A;
typedef short      B;     //Bool
typedef short      B1;    //Binary
typedef short      I1;
typedef short      I2;
typedef long       I4;
typedef long       I8;
typedef short      U1;
typedef long       U2;
typedef double     U4;
typedef double     U8;
typedef float      F4;
typedef double     F8;
typedef char       J8;

//---------------------------------------------------------------------------
// Constant define
//---------------------------------------------------------------------------
const short EZV_                         = -10000; //Base error code
const short EZV_NOT_INITITIALIZED        = -10001; //Not initialized yet
const short EZV_ALREADY_INITIALIZED      = -10002; //Already initialized
const short EZV_NOT_STARTED              = -10003; //Not started yet
const short EZV_RUNNING                  = -10004; //Zorv is running now.
const short EZV_WRONG_PATH               = -10007; //Wrong file path
const short EZV_INVALID_SIZE             = -10008; //Invalid size value
const short EZV_GET_CURR_PATH            = -10009; //Error on getting the path
const short EZV_CFG_WRONG_FILE           = -10010; //Wrong file name
const short EZV_CFG_GENERAL              = -10011; //[General] section problem
const short EZV_CFG_HSMS                 = -10012; //[HSMS] section problem
const short EZV_CFG_SECS1                = -10013; //[SECS-I] section problem
const short EZV_CFG_TIMEOUT              = -10014; //[Timeout] section problem
const short EZV_CFG_LOG                  = -10015; //[Log] section problem
const short EZV_CFG_STREAM9              = -10016; //[S9 Reply] section problem
const short EZV_CFG_INCOMPLETE           = -10020; //Incomplete information
const short EZV_CREATE_WINDOW            = -10021; //Fail on creating handler window
const short EZV_INVALID_POINTER          = -10022; //Invalid pointer value
const short EZV_SOCKET                   = -10023; //Socket error
const short EZV_SERIAL                   = -10024; //Serial port error
const short EZV_NOT_ENOUGH_SIZE          = -10025; //Buffer is too small.
const short EZV_NO_MSG                   = -10026; //No messages in the DB
const short EZV_INVALID_DEV_ID           = -10027; //Invalid device ID
const short EZV_CREATE_ZORV_THREAD       = -10029; //Fail on creating main thread
const short EZV_CREATE_ZORV_EVENT        = -10030; //Fail on creating access event
const short EZV_SYNC_EVENT               = -10031; //Sync event error
const short EZV_GARBAGE_INPUT            = -10032; //Garbage input
const short EZV_DATA_ALREADY_SET         = -10033; //Data are already set.
const short EZV_INVALID_INDEX            = -10034; //Invalid index
const short EZV_S1                       = -11000; //Base error code of the SECS-I
const short EZV_S1_UNKNOWN_DEV_ID        = -11001; //Unrecognized device ID
const short EZV_S1_UNKNOWN_STREAM        = -11002; //Unrecognized stream value
const short EZV_S1_UNKNOWN_FUNC          = -11003; //Unrecognized function value
const short EZV_S1_NOT_TRANSACTED_BLOCK  = -11004; //Not a transacted block
const short EZV_S1_TOO_MANY_TRANSACTIONS = -11005; //Too many transactions
const short EZV_S1_BLOCK_SEQUENCE        = -11006; //Improper block sequence
const short EZV_HS                       = -12000; //Base error code of the HSMS
const short EZV_HS_UNKNOWN_DEV_ID        = -12001; //Unrecognized device ID
const short EZV_HS_UNKNOWN_STREAM        = -12002; //Unrecognized stream value
const short EZV_HS_UNKNOWN_FUNC          = -12003; //Unrecognized function value
const short EZV_HS_NOT_SELECTED          = -12004; //Not selected state
const short EZV_S2                       = -13000; //Base error code of the SECS-II
const short EZV_S2_TOO_MANY_ITEMS        = -13001; //Too many message items in the msg.
const short EZV_S2_ITEM_FORMAT           = -13002; //Invalid item format
const short EZV_S2_ITEM_COUNT            = -13003; //Invalid # of item data
const short EZV_S2_ADD_MSG_TO_DB         = -13004; //Cannot add a msg. to the msg. DB
const short EZV_S2_INVALID_MSG_ID        = -13005; //Invalid message ID input
const short EZV_S2_DEL_MSG_FROM_DB       = -13006; //Cannot delete a msg. from DB
const short EZV_S2_INVALID_STREAM        = -13007; //Invalid SECS stream value
const short EZV_S2_INVALID_FUNC          = -13008; //Invalid SECS function value
const short EZV_S2_INVALID_STRUCT        = -13009; //Invalid message structure
const short EZV_S2_INVALID_HEADER        = -13010; //Invalid message header
const short EZV_S2_NO_ITEMS_LEFT         = -13011; //All items were loaded.
const short EZV_S2_FORMAT_MISMATCHED     = -13012; //Item format mismatched
const short EZV_S2_ITEM_VALUE            = -13013; //Invalid item value range
const short EZV_S2_DUPLICATED_MSG        = -13014; //Duplicated message
const short EZV_S2_UNKNOWN_DEV_ID        = -13015; //Unrecognized device ID
const short EZV_S2_UNKNOWN_STREAM        = -13016; //Unrecognized stream value
const short EZV_S2_UNKNOWN_FUNC          = -13017; //Unrecognized function value

const short EVTZV_NOT_CONNECTED     = 101;
const short EVTZV_NOT_SELECTED      = 102;
const short EVTZV_SELECTED          = 103;

const short ALMZV                   = 200;
const short ALMZV_T1                = 201;
const short ALMZV_T2                = 202;
const short ALMZV_T3                = 203;
const short ALMZV_T4                = 204;
const short ALMZV_T5                = 205;
const short ALMZV_T6                = 206;
const short ALMZV_T7                = 207;
const short ALMZV_T8                = 208;
const short ALMZV_TRETRY            = 209;
const short ALMZV_GARBAGE_INPUT     = 210;
const short ALMZV_LOW_SEND          = 211;
const short ALMZV_MSG_TIMEOUT       = 212;
const short ALMZV_DUPLICATED_MSG    = 213;
const short ALMZV_INITIALIZE        = 214;
const short ALMZV_START             = 215;
const short ALMZV_INVALID_MSG       = 217;
const short ALMZV_ABORT_TRANSACTION = 218;
const short ALMZV_INVALID_DATA_SEQ  = 220;
const short ALMZV_UNKNOWN_DEV_ID    = 221;
const short ALMZV_UNKNOWN_STREAM    = 222;
const short ALMZV_UNKNOWN_FUNC      = 223;
const short ALMZV_RESTART           = 224;
//---------------------------------------------------------------------------
const short ERR_NOT_EXIST_STRM  = -1;
const short ERR_NOT_EXIST_FUNC  = -2;
const short ERR_LIST_OVERFLOW   = -3;
const short ERR_ILLEGAL_DATA    = -4;
const short ERR_NOT_EXIST_MODE  = -5;
//---------------------------------------------------------------------------

//---------------------------------------------------------------------------
// Function declare
//---------------------------------------------------------------------------
void Fillstr(char *dest, int size);
void GetL (TeZorv *X, long lMsgId, short *nResult, short  *nList , short MaxList=0);
void GetA (TeZorv *X, long lMsgId, short *nResult, char   *pstr  , long size);
void GetB (TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size=1);
void GetB1(TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size=1);
void GetI1(TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size=1);
void GetI2(TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size=1);
void GetI4(TeZorv *X, long lMsgId, short *nResult, long   *lValue, long size=1);
void GetI8(TeZorv *X, long lMsgId, short *nResult, long   *lValue, long size=1);
void GetU1(TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size=1);
void GetU2(TeZorv *X, long lMsgId, short *nResult, long   *lValue, long size=1);
void GetU4(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size=1);
void GetU8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size=1);
void GetF4(TeZorv *X, long lMsgId, short *nResult, float  *dValue, long size=1);
void GetF8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size=1);
void SetL (TeZorv *X, long lMsgId, short *nResult, short  nList  , short MaxList=0);
void SetA (TeZorv *X, long lMsgId, short *nResult, char   *pstr  , long size);
void SetB (TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size);
void SetB1(TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size);
void SetI1(TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size);
void SetI2(TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size);
void SetI4(TeZorv *X, long lMsgId, short *nResult, long   *lValue, long size);
void SetI8(TeZorv *X, long lMsgId, short *nResult, long   *lValue, long size);
void SetU1(TeZorv *X, long lMsgId, short *nResult, short  *nValue, long size);
void SetU2(TeZorv *X, long lMsgId, short *nResult, long   *lValue, long size);
void SetU4(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size);
void SetU8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size);
void SetF4(TeZorv *X, long lMsgId, short *nResult, float  *dValue, long size);
void SetF8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size);

const short Max_SVIDs = 1; //Need Edit
const short Max_SVs = 1; //Need Edit
const short Max_Names = 1; //Need Edit
const short Max_ECIDs = 1; //Need Edit
const short Max_ECVs = 1; //Need Edit
const short Max_Constants = 1; //Need Edit
const short Max_VIDs = 1; //Need Edit
const short Max_Reports = 1; //Need Edit
const short Max_RPTIDs = 1; //Need Edit
const short Max_Events = 1; //Need Edit
const short Max_CEIDs = 1; //Need Edit
const short Max_Parameters = 1; //Need Edit
const short Max_V = 1; //Need Edit
const short Max_RPT = 1; //Need Edit
//---------------------------------------------------------------------------
// Class declare
//---------------------------------------------------------------------------
class clsS1F1 //S1F1 P Are You There
{
    public:
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F2 //S1F2 S On Line Data
{
    public:
    struct //L 2 Equipment
    {
        A  MDLN[21];
        A  SOFTREV[21];
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F3 //S1F3 P Selected Equipment Status Request
{
    public:
    short SVIDs;

    struct //L n SVIDs
    {
        U4 SVID;
    }L1[Max_SVIDs]; //Need define
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F4 //S1F4 S Selected Equipment Status Data
{
    public:
    short SVs;

    struct //L n SVs
    {
        A  SV[41];
    }L1[Max_SVs]; //Need define
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F11 //S1F11 P Status Variable Namelist Request
{
    public:
    short SVIDs;

    struct //L n SVIDs
    {
        U4 SVID;
    }L1[Max_SVIDs]; //Need define
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F12 //S1F12 S Status Variable Namelist Reply
{
    public:
    short Names;

    struct //L n Names
    {
        struct //L 3 Name
        {
            U4 SVID;
            A  SVNAME[41];
            A  UNITS[11];
        }L1;
    }L1[Max_Names]; //Need define
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F13 //S1F13 P Establish Communications Request
{
    public:
    struct //L 2 Equipment
    {
        A  MDLN[21];
        A  SOFTREV[21];
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F14 //S1F14 S Establish Communications Request Acknowledge
{
    public:
    struct //L 2 Ack
    {
        B1 COMMACK;
        struct //L 2 Equipment
        {
            A  MDLN[21];
            A  SOFTREV[21];
        }L1;
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F15 //S1F15 P Request OFF-LINE
{
    public:
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F16 //S1F16 S OFF-LINE Acknowledge
{
    public:
    B1 OFLACK;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F17 //S1F17 P Request ON-LINE
{
    public:
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS1F18 //S1F18 S ON-LINE Acknowledge
{
    public:
    B1 ONLACK;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F13 //S2F13 P Equipment Constant Request
{
    public:
    short ECIDs;

    struct //L n ECIDs
    {
        U4 ECID;
    }L1[Max_ECIDs]; //Need define
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F14 //S2F14 S Equipment Constant Data
{
    public:
    short ECVs;

    struct //L n ECVs
    {
        F4 ECV;
    }L1[Max_ECVs]; //Need define
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F15 //S2F15 P New Equipment Constant Send
{
    public:
    short Constants;

    struct //L n Constants
    {
        struct //L 2 Constant
        {
            U4 ECID;
            F4 ECV;
        }L1;
    }L1[Max_Constants]; //Need define
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F16 //S2F16 S New Equipment Constant Acknowledge
{
    public:
    B1 EAC;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F17 //S2F17 P Date and Time Request
{
    public:
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F18 //S2F18 S Date and Time Data
{
    public:
    A  TIME[17];
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F31 //S2F31 P Date and Time Set Request
{
    public:
    A  TIME[17];
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F32 //S2F32 S Date and Time Set Acknowledge
{
    public:
    B1 TIACK;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F33 //S2F33 P Define Report
{
    public:
    struct //L 2 Define
    {
        U4 DATAID;
        short Reports;

        struct //L n Reports
        {
            struct //L 2 Report
            {
                U4 RPTID;
                short VIDs;

                struct //L n VIDs
                {
                    U4 VID;
                }L1[Max_VIDs]; //Need define
            }L1;
        }L1[Max_Reports]; //Need define
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F34 //S2F34 S Define Report Acknowledge
{
    public:
    B1 DRACK;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F35 //S2F35 P Link Event Report
{
    public:
    struct //L 2 Link
    {
        U4 DATAID;
        short Events;

        struct //L n Events
        {
            struct //L 2 Event
            {
                U4 CEID;
                short RPTIDs;

                struct //L n RPTIDs
                {
                    U4 RPTID;
                }L1[Max_RPTIDs]; //Need define
            }L1;
        }L1[Max_Events]; //Need define
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F36 //S2F36 S Link Event Report Acknowledge
{
    public:
    B1 LRACK;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F37 //S2F37 P Enable/Disable Event Report
{
    public:
    struct //L 2 Enable
    {
        B  CEED;
        short CEIDs;

        struct //L n CEIDs
        {
            U4 CEID;
        }L1[Max_CEIDs]; //Need define
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F38 //S2F38 S Enable/Disable Event Report Acknowledge
{
    public:
    B1 ERACK;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F41 //S2F41 P Host Command Send
{
    public:
    struct //L 2 Command
    {
        A  RCMD[21];
        short Parameters;

        struct //L n Parameters
        {
            struct //L 2 Parameter
            {
                A  CPNAME[21];
                A  CPVAL[41];
            }L1;
        }L1[Max_Parameters]; //Need define
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2F42 //S2F42 S Host Command Acknowledge
{
    public:
    struct //L 2 Ack
    {
        B1 HCACK;
        short Parameters;

        struct //L n Parameters
        {
            struct //L 2 Parameter
            {
                A  CPNAME[21];
                B1 CPACK;
            }L1;
        }L1[Max_Parameters]; //Need define
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS5F1 //S5F1 P Alarm Report Send
{
    public:
    struct //L 3 Alarm
    {
        B1 ALCD;
        U4 ALID;
        A  ALTX[41];
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS5F2 //S5F2 S Alarm Report Acknowledge
{
    public:
    B1 ACKC5;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS5F3 //S5F3 P Enable/Disable Alarm Send
{
    public:
    struct //L 2 Alarm
    {
        B1 ALED;
        U4 ALID;
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS5F4 //S5F4 S Enable/Disable Alarm Acknowledge
{
    public:
    B1 ACKC5;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS6F11 //S6F11 P Event Report Send
{
    public:
    struct //L 3 Report
    {
        U4 DATAID;
        U4 CEID;
        short RPT;

        struct //L n RPT
        {
            struct //L 2 RptBody
            {
                U4 RPTID;
                short V;

                struct //L n V
                {
                    A  VALUE[41];
                }L1[Max_V]; //Need define
            }L1;
        }L1[Max_RPT]; //Need define
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS6F12 //S6F12 S Event Report Acknowledge
{
    public:
    B1 ACKC6;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS9F11 //S9F11 N Data Too Long
{
    public:
    B1 MHEAD[10];
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS10F1 //S10F1 P Terminal Request
{
    public:
    struct //L 2 Terminal
    {
        B1 TID;
        A  TEXT[81];
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS10F2 //S10F2 S Terminal Request Acknowledge
{
    public:
    B1 ACKC10;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS10F3 //S10F3 P 터미널 표시 (단일)
{
    public:
    struct //L 2 Terminal
    {
        B1 TID;
        A  TEXT[81];
    }L1;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS10F4 //S10F4 S 터미널 표시 응답
{
    public:
    B1 ACKC10;
    void Clear(short Mode=0);
    short Receive(TeZorv *X, long lMsgId);
    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);
};
//---------------------------------------------------------------------------
//
//---------------------------------------------------------------------------
class clsS1
{
    public:
    clsS1F1 f1;
    clsS1F2 f2;
    clsS1F3 f3;
    clsS1F4 f4;
    clsS1F11 f11;
    clsS1F12 f12;
    clsS1F13 f13;
    clsS1F14 f14;
    clsS1F15 f15;
    clsS1F16 f16;
    clsS1F17 f17;
    clsS1F18 f18;

    short Receive(TeZorv *X, long lMsgId, short nFunction);
    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS2
{
    public:
    clsS2F13 f13;
    clsS2F14 f14;
    clsS2F15 f15;
    clsS2F16 f16;
    clsS2F17 f17;
    clsS2F18 f18;
    clsS2F31 f31;
    clsS2F32 f32;
    clsS2F33 f33;
    clsS2F34 f34;
    clsS2F35 f35;
    clsS2F36 f36;
    clsS2F37 f37;
    clsS2F38 f38;
    clsS2F41 f41;
    clsS2F42 f42;

    short Receive(TeZorv *X, long lMsgId, short nFunction);
    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS5
{
    public:
    clsS5F1 f1;
    clsS5F2 f2;
    clsS5F3 f3;
    clsS5F4 f4;

    short Receive(TeZorv *X, long lMsgId, short nFunction);
    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS6
{
    public:
    clsS6F11 f11;
    clsS6F12 f12;

    short Receive(TeZorv *X, long lMsgId, short nFunction);
    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS9
{
    public:
    clsS9F11 f11;

    short Receive(TeZorv *X, long lMsgId, short nFunction);
    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode=0);
};
//---------------------------------------------------------------------------
class clsS10
{
    public:
    clsS10F1 f1;
    clsS10F2 f2;
    clsS10F3 f3;
    clsS10F4 f4;

    short Receive(TeZorv *X, long lMsgId, short nFunction);
    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode=0);
};
//---------------------------------------------------------------------------
class clsSF
{
    public:
    clsS1 s1;
    clsS2 s2;
    clsS5 s5;
    clsS6 s6;
    clsS9 s9;
    clsS10 s10;

    short Receive(TeZorv *X, long lMsgId, short nStream, short nFunction);
    short Send(TeZorv *X, short nDevId, long lSysByte, short nStream, short nFunction, short Mode=0);
    short AutoReply(TeZorv *X, long lMsgId, short nStream, short nFunction, long lSysByte, short nWbit);
};
//---------------------------------------------------------------------------
// Extern define
//---------------------------------------------------------------------------
extern clsSF hsms;
//---------------------------------------------------------------------------
#endif
