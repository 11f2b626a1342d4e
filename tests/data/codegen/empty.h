// HSMS message structure header for C++ Builder developer
// Auto create by Pravik 3.10b
// Support: Pravik for Zorv developers
// Date: 2005. 03. 07

//---------------------------------------------------------------------------

#ifndef EMPTYH
#define EMPTYH

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

//---------------------------------------------------------------------------
// Class declare
//---------------------------------------------------------------------------
//
//---------------------------------------------------------------------------
class clsSF
{
    public:

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
