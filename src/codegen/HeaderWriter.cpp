#include "codegen/HeaderWriter.h"

#include "codegen/GeneratedNames.h"
#include "codegen/MessageBodies.h"
#include "document/ItemTypes.h"
#include "document/SmlDocument.h"
#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/PathNames.h"
#include "platform/PlatformError.h"

namespace pravik {

namespace {

struct Constant {
    const char* name;
    int value;
    const char* comment;
};

// The driver's error codes.
constexpr Constant kDriverErrors[] = {
    {"EZV_", -10000, "Base error code"},
    {"EZV_NOT_INITITIALIZED", -10001, "Not initialized yet"},
    {"EZV_ALREADY_INITIALIZED", -10002, "Already initialized"},
    {"EZV_NOT_STARTED", -10003, "Not started yet"},
    {"EZV_RUNNING", -10004, "Zorv is running now."},
    {"EZV_WRONG_PATH", -10007, "Wrong file path"},
    {"EZV_INVALID_SIZE", -10008, "Invalid size value"},
    {"EZV_GET_CURR_PATH", -10009, "Error on getting the path"},
    {"EZV_CFG_WRONG_FILE", -10010, "Wrong file name"},
    {"EZV_CFG_GENERAL", -10011, "[General] section problem"},
    {"EZV_CFG_HSMS", -10012, "[HSMS] section problem"},
    {"EZV_CFG_SECS1", -10013, "[SECS-I] section problem"},
    {"EZV_CFG_TIMEOUT", -10014, "[Timeout] section problem"},
    {"EZV_CFG_LOG", -10015, "[Log] section problem"},
    {"EZV_CFG_STREAM9", -10016, "[S9 Reply] section problem"},
    {"EZV_CFG_INCOMPLETE", -10020, "Incomplete information"},
    {"EZV_CREATE_WINDOW", -10021, "Fail on creating handler window"},
    {"EZV_INVALID_POINTER", -10022, "Invalid pointer value"},
    {"EZV_SOCKET", -10023, "Socket error"},
    {"EZV_SERIAL", -10024, "Serial port error"},
    {"EZV_NOT_ENOUGH_SIZE", -10025, "Buffer is too small."},
    {"EZV_NO_MSG", -10026, "No messages in the DB"},
    {"EZV_INVALID_DEV_ID", -10027, "Invalid device ID"},
    {"EZV_CREATE_ZORV_THREAD", -10029, "Fail on creating main thread"},
    {"EZV_CREATE_ZORV_EVENT", -10030, "Fail on creating access event"},
    {"EZV_SYNC_EVENT", -10031, "Sync event error"},
    {"EZV_GARBAGE_INPUT", -10032, "Garbage input"},
    {"EZV_DATA_ALREADY_SET", -10033, "Data are already set."},
    {"EZV_INVALID_INDEX", -10034, "Invalid index"},
    {"EZV_S1", -11000, "Base error code of the SECS-I"},
    {"EZV_S1_UNKNOWN_DEV_ID", -11001, "Unrecognized device ID"},
    {"EZV_S1_UNKNOWN_STREAM", -11002, "Unrecognized stream value"},
    {"EZV_S1_UNKNOWN_FUNC", -11003, "Unrecognized function value"},
    {"EZV_S1_NOT_TRANSACTED_BLOCK", -11004, "Not a transacted block"},
    {"EZV_S1_TOO_MANY_TRANSACTIONS", -11005, "Too many transactions"},
    {"EZV_S1_BLOCK_SEQUENCE", -11006, "Improper block sequence"},
    {"EZV_HS", -12000, "Base error code of the HSMS"},
    {"EZV_HS_UNKNOWN_DEV_ID", -12001, "Unrecognized device ID"},
    {"EZV_HS_UNKNOWN_STREAM", -12002, "Unrecognized stream value"},
    {"EZV_HS_UNKNOWN_FUNC", -12003, "Unrecognized function value"},
    {"EZV_HS_NOT_SELECTED", -12004, "Not selected state"},
    {"EZV_S2", -13000, "Base error code of the SECS-II"},
    {"EZV_S2_TOO_MANY_ITEMS", -13001, "Too many message items in the msg."},
    {"EZV_S2_ITEM_FORMAT", -13002, "Invalid item format"},
    {"EZV_S2_ITEM_COUNT", -13003, "Invalid # of item data"},
    {"EZV_S2_ADD_MSG_TO_DB", -13004, "Cannot add a msg. to the msg. DB"},
    {"EZV_S2_INVALID_MSG_ID", -13005, "Invalid message ID input"},
    {"EZV_S2_DEL_MSG_FROM_DB", -13006, "Cannot delete a msg. from DB"},
    {"EZV_S2_INVALID_STREAM", -13007, "Invalid SECS stream value"},
    {"EZV_S2_INVALID_FUNC", -13008, "Invalid SECS function value"},
    {"EZV_S2_INVALID_STRUCT", -13009, "Invalid message structure"},
    {"EZV_S2_INVALID_HEADER", -13010, "Invalid message header"},
    {"EZV_S2_NO_ITEMS_LEFT", -13011, "All items were loaded."},
    {"EZV_S2_FORMAT_MISMATCHED", -13012, "Item format mismatched"},
    {"EZV_S2_ITEM_VALUE", -13013, "Invalid item value range"},
    {"EZV_S2_DUPLICATED_MSG", -13014, "Duplicated message"},
    {"EZV_S2_UNKNOWN_DEV_ID", -13015, "Unrecognized device ID"},
    {"EZV_S2_UNKNOWN_STREAM", -13016, "Unrecognized stream value"},
    {"EZV_S2_UNKNOWN_FUNC", -13017, "Unrecognized function value"},
};

constexpr Constant kEventCodes[] = {
    {"EVTZV_NOT_CONNECTED", 101, nullptr},
    {"EVTZV_NOT_SELECTED", 102, nullptr},
    {"EVTZV_SELECTED", 103, nullptr},
};

constexpr Constant kAlarmCodes[] = {
    {"ALMZV", 200, nullptr},
    {"ALMZV_T1", 201, nullptr},
    {"ALMZV_T2", 202, nullptr},
    {"ALMZV_T3", 203, nullptr},
    {"ALMZV_T4", 204, nullptr},
    {"ALMZV_T5", 205, nullptr},
    {"ALMZV_T6", 206, nullptr},
    {"ALMZV_T7", 207, nullptr},
    {"ALMZV_T8", 208, nullptr},
    {"ALMZV_TRETRY", 209, nullptr},
    {"ALMZV_GARBAGE_INPUT", 210, nullptr},
    {"ALMZV_LOW_SEND", 211, nullptr},
    {"ALMZV_MSG_TIMEOUT", 212, nullptr},
    {"ALMZV_DUPLICATED_MSG", 213, nullptr},
    {"ALMZV_INITIALIZE", 214, nullptr},
    {"ALMZV_START", 215, nullptr},
    {"ALMZV_INVALID_MSG", 217, nullptr},
    {"ALMZV_ABORT_TRANSACTION", 218, nullptr},
    {"ALMZV_INVALID_DATA_SEQ", 220, nullptr},
    {"ALMZV_UNKNOWN_DEV_ID", 221, nullptr},
    {"ALMZV_UNKNOWN_STREAM", 222, nullptr},
    {"ALMZV_UNKNOWN_FUNC", 223, nullptr},
    {"ALMZV_RESTART", 224, nullptr},
};

// Results of the generated code itself.
constexpr Constant kGeneratedErrors[] = {
    {"ERR_NOT_EXIST_STRM", -1, nullptr}, {"ERR_NOT_EXIST_FUNC", -2, nullptr},
    {"ERR_LIST_OVERFLOW", -3, nullptr},  {"ERR_ILLEGAL_DATA", -4, nullptr},
    {"ERR_NOT_EXIST_MODE", -5, nullptr},
};

QByteArray Padded(QByteArrayView text, qsizetype width) {
    QByteArray padded = text.toByteArray();
    if (padded.size() < width)
        padded.append(width - padded.size(), ' ');
    return padded;
}

// "typedef " + element type + name, one line per item type.
void WriteTypedefs(GeneratedText& out) {
    for (const ItemType* t : ItemTypes::inGeneratedOrder()) {
        const QByteArray named = QByteArray(t->typeName) + ';';
        if (t->typedefNote)
            out.line({"typedef ", Padded(t->cppType, 11), Padded(named, 7), "//", t->typedefNote});
        else
            out.line({"typedef ", Padded(t->cppType, 11), named});
    }
}

// The helper functions' declarations: lists and strings by hand, the value
// helpers from the item types.
void WriteFunctionDeclarations(GeneratedText& out) {
    std::vector<const ItemType*> helpers;
    for (const ItemType* t : ItemTypes::inGeneratedOrder())
        if (t->driverGet)
            helpers.push_back(t);
    out.line("void Fillstr(char *dest, int size);");
    out.line(
        "void GetL (TeZorv *X, long lMsgId, short *nResult, short  *nList , short MaxList=0);");
    out.line("void GetA (TeZorv *X, long lMsgId, short *nResult, char   *pstr  , long size);");
    for (const ItemType* t : helpers)
        out.line({"void Get", Padded(t->typeName, 2), "(TeZorv *X, long lMsgId, short *nResult, ",
                  t->declaredParameter, ", long size=1);"});
    out.line(
        "void SetL (TeZorv *X, long lMsgId, short *nResult, short  nList  , short MaxList=0);");
    out.line("void SetA (TeZorv *X, long lMsgId, short *nResult, char   *pstr  , long size);");
    for (const ItemType* t : helpers)
        out.line({"void Set", Padded(t->typeName, 2), "(TeZorv *X, long lMsgId, short *nResult, ",
                  t->declaredParameter, ", long size);"});
}

// "const short " + name padded to width (at least one blank after it) +
// "= " + value + ";", and " //" + comment when there is one.
void WriteConstant(GeneratedText& out, const Constant& c, int width) {
    QByteArray name(c.name);
    do {
        name += ' ';
    } while (name.size() < width);
    const QByteArray value = QByteArray::number(c.value);
    if (c.comment)
        out.line({"const short ", name, "= ", value, "; //", c.comment});
    else
        out.line({"const short ", name, "= ", value, ";"});
}

void WritePreamble(GeneratedText& out, const QString& headerPath, const QDate& date) {
    const QByteArray guard = IncludeGuard(headerPath);
    out.line("// HSMS message structure header for C++ Builder developer");
    out.line({"// Auto create by Pravik ", kGeneratorVersion});
    out.line({"// Support: ", kSupportContact});
    out.line({"// Date: ", BannerDate(date)});
    out.line("");
    out.line(kSeparator);
    out.line("");
    out.line({"#ifndef ", guard});
    out.line({"#define ", guard});
    out.line("");
    out.line(kSeparator);
    out.line("// Include header");
    out.line(kSeparator);
    out.line("#include \"EZORVLib_OCX.h\"");
    out.line("");
    out.line(kSeparator);
    out.line("// Type define");
    out.line(kSeparator);
    WriteTypedefs(out);
    out.line("");
    out.line(kSeparator);
    out.line("// Constant define");
    out.line(kSeparator);
    for (const Constant& c : kDriverErrors)
        WriteConstant(out, c, 29);
    out.line("");
    for (const Constant& c : kEventCodes)
        WriteConstant(out, c, 24);
    out.line("");
    for (const Constant& c : kAlarmCodes)
        WriteConstant(out, c, 24);
    out.line(kSeparator);
    for (const Constant& c : kGeneratedErrors)
        WriteConstant(out, c, 20);
    out.line(kSeparator);
    out.line("");
    out.line(kSeparator);
    out.line("// Function declare");
    out.line(kSeparator);
    WriteFunctionDeclarations(out);
    out.line("");
}

void CloseStreamClass(GeneratedText& out) {
    out.line("");
    out.line("    short Receive(TeZorv *X, long lMsgId, short nFunction);");
    out.line(
        "    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short Mode=0);");
    out.line("};");
}

void WriteClasses(GeneratedText& out, GeneratedText& preamble, const SmlDocument& doc) {
    out.line(kSeparator);
    out.line("// Class declare");
    out.line(kSeparator);
    const int count = doc.topLevelCount();
    QSet<QByteArray> constants;
    for (int i = 0; i < count; ++i)
        DeclareNode(*doc.topLevel(i), out, preamble, constants);
    out.line("//");

    // Stream classes: one member per function. Each message is compared
    // with the one before it only; stream 0 stands for "no class open".
    qint64 currentStream = 0, currentFunction = 0;
    for (int i = 0; i < count; ++i) {
        const MessageNumbers m = MessageNumbersOf(doc.topLevel(i)->Text());
        if (m.stream == 0)
            continue; // stream 0 stands for "no class open": such messages join none
        const bool newStream = m.stream != currentStream;
        if (newStream) {
            if (currentStream != 0)
                CloseStreamClass(out);
            out.line(kSeparator);
            const QByteArray s = QByteArray::number(m.stream);
            out.line({"class clsS", s});
            out.line("{");
            out.line("    public:");
        }
        if (newStream || m.function != currentFunction) {
            currentStream = m.stream;
            currentFunction = m.function;
            out.line({"    ", MessageClassName(m), " f", QByteArray::number(m.function), ";"});
        }
    }
    if (currentStream != 0)
        CloseStreamClass(out);

    out.line(kSeparator);
    out.line("class clsSF");
    out.line("{");
    out.line("    public:");
    currentStream = 0;
    for (int i = 0; i < count; ++i) {
        const MessageNumbers m = MessageNumbersOf(doc.topLevel(i)->Text());
        if (m.stream != 0 && m.stream != currentStream) { // no class clsS0 exists
            currentStream = m.stream;
            const QByteArray s = QByteArray::number(m.stream);
            out.line({"    clsS", s, " s", s, ";"});
        }
    }
    out.line("");
    out.line("    short Receive(TeZorv *X, long lMsgId, short nStream, short nFunction);");
    out.line("    short Send(TeZorv *X, short nDevId, long lSysByte, short nStream, short "
             "nFunction, short Mode=0);");
    out.line("    short AutoReply(TeZorv *X, long lMsgId, short nStream, short nFunction, long "
             "lSysByte, short nWbit);");
    out.line("};");
}

} // namespace

QByteArray IncludeGuard(const QString& headerPath) {
    QString name = PathNames::FileNamePart(headerPath);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    name += QLatin1Char('h');
    return AnsiText::Encode(name.toUpper());
}

QByteArray BannerDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy. MM. dd")).toLatin1();
}

QByteArray GenerateHeaderText(const SmlDocument& doc, const QString& headerPath, const QDate& date,
                              qint64 maxBytes) {
    GeneratedText preamble(headerPath, maxBytes);
    GeneratedText classes(headerPath, maxBytes);
    classes.reserve(doc.nodeCount() * 56 + 4096);
    preamble.reserve(doc.nodeCount() * 56 + 65536); // the classes join it at the end
    WritePreamble(preamble, headerPath, date);
    WriteClasses(classes, preamble, doc);
    preamble.append(classes);
    preamble.line(kSeparator);
    preamble.line("// Extern define");
    preamble.line(kSeparator);
    preamble.line("extern clsSF hsms;");
    preamble.line(kSeparator);
    preamble.line("#endif");
    return preamble.take();
}

void WriteHeader(const SmlDocument& doc, const QString& path, const QDate& date) {
    const QByteArray text = GenerateHeaderText(doc, path, date);
    FileSystem::SafeSave(path, text, kCannotCreateFile);
}

} // namespace pravik
