#include "codegen/SourceWriter.h"

#include "codegen/GeneratedNames.h"
#include "codegen/HeaderWriter.h"
#include "codegen/MessageBodies.h"
#include "document/ItemTypes.h"
#include "document/SmlDocument.h"
#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/PathNames.h"
#include "platform/PlatformError.h"

#include <vector>

namespace pravik {

namespace {

// The value readers and writers: the item types that have driver helpers,
// in the order of the generated typedefs.
std::vector<const ItemType*> ValueHelperTypes() {
    std::vector<const ItemType*> types;
    for (const ItemType* t : ItemTypes::inGeneratedOrder())
        if (t->driverGet)
            types.push_back(t);
    return types;
}

void WriteHelpers(GeneratedText& out) {
    out.line("void Fillstr(char *dest, int size)");
    out.line("{");
    out.line("    int len = StrLen(dest);");
    out.line("    for(int i=len; i<size; i++) dest[i] = ' ';");
    out.line("    dest[size] = 0;");
    out.line("}");
    out.line(kSeparator);

    out.line("void GetL(TeZorv *X, long lMsgId, short *nResult, short *nList, short MaxList)");
    out.line("{");
    out.line("    short nSubpartCount;");
    out.line("    if(*nResult>=0)");
    out.line("    {");
    out.line("        *nResult = X->GetListItem(lMsgId, &nSubpartCount);");
    out.line("        if(*nResult>=0)");
    out.line("        {");
    out.line("            if(MaxList && nSubpartCount>MaxList)");
    out.line("            {");
    out.line("                X->CloseSecsMsg(lMsgId);");
    out.line("                *nResult = ERR_LIST_OVERFLOW;");
    out.line("            }");
    out.line("            else if(nList != NULL)");
    out.line("            {");
    out.line("                *nList = nSubpartCount;");
    out.line("            }");
    out.line("        }");
    out.line("    }");
    out.line("}");
    out.line(kSeparator);

    // Copies at most size-1 characters and the terminating NUL, and only
    // what the driver really handed over.
    out.line("void GetA(TeZorv *X, long lMsgId, short *nResult, char *pstr, long size)");
    out.line("{");
    out.line("    BSTR bstrBuffer;");
    out.line("    long lCount;");
    out.line("");
    out.line("    if(*nResult>=0)");
    out.line("    {");
    out.line("        *nResult = X->GetAsciiItem(lMsgId, &bstrBuffer, &lCount);");
    out.line("        if(*nResult>=0 && size>0) StrLCopy(pstr, AnsiString(bstrBuffer).c_str(), "
             "size-1);");
    out.line("    }");
    out.line("}");
    out.line(kSeparator);

    const std::vector<const ItemType*> helpers = ValueHelperTypes();
    for (const ItemType* h : helpers) {
        out.line({"void Get", h->typeName, "(TeZorv *X, long lMsgId, short *nResult, ",
                  h->helperParameter, ", long size)"});
        out.line("{");
        out.line("    long lCount;");
        out.line("");
        out.line("    if(*nResult>=0)");
        out.line("    {");
        out.line({"        *nResult = X->", h->driverGet, "(lMsgId, ", h->helperArgument,
                  ", &lCount, size);"});
        out.line("    }");
        out.line("}");
        out.line(kSeparator);
    }

    out.line("void SetL(TeZorv *X, long lMsgId, short *nResult, short nList, short MaxList)");
    out.line("{");
    out.line("    if(*nResult>=0)");
    out.line("    {");
    out.line("        if(MaxList && nList>MaxList)");
    out.line("        {");
    out.line("            *nResult = ERR_LIST_OVERFLOW;");
    out.line("        }");
    out.line("        else");
    out.line("        {");
    out.line("            *nResult = X->SetListItem(lMsgId, nList);");
    out.line("        }");
    out.line("    }");
    out.line("}");
    out.line(kSeparator);

    out.line("void SetA(TeZorv *X, long lMsgId, short *nResult, char *pstr, long size)");
    out.line("{");
    out.line("    if(*nResult>=0)");
    out.line("    {");
    out.line("        Fillstr(pstr, size);");
    out.line("        *nResult = X->SetStringItem(lMsgId, &WideString(pstr), StrLen(pstr));");
    out.line("    }");
    out.line("}");
    out.line(kSeparator);

    const size_t count = helpers.size();
    for (size_t i = 0; i < count; ++i) {
        const ItemType* h = helpers[i];
        out.line({"void Set", h->typeName, "(TeZorv *X, long lMsgId, short *nResult, ",
                  h->helperParameter, ", long size)"});
        out.line("{");
        out.line("    if(*nResult>=0)");
        out.line("    {");
        out.line({"        *nResult = X->", h->driverSet, "(lMsgId, ", h->helperArgument,
                  ", size/sizeof(", h->typeName, "));"});
        out.line("    }");
        out.line("}");
        out.line(i + 1 < count ? QByteArrayView(kSeparator) : QByteArrayView(""));
    }
}

void WriteFixedSection(GeneratedText& out, const QString& sourcePath, const QDate& date) {
    out.line("// HSMS message structure source for C++ Builder developer");
    out.line({"// Auto create by Pravik ", kGeneratorVersion});
    out.line({"// Support: ", kSupportContact});
    out.line({"// Date: ", BannerDate(date)});
    out.line("");
    out.line(kSeparator);
    out.line("#pragma hdrstop");
    out.line("");
    out.line({"#include \"", AnsiText::Encode(HeaderNameForSource(sourcePath)), "\""});
    out.line("");
    out.line(kSeparator);
    out.line("");
    out.line("#pragma package(smart_init)");
    out.line("");
    out.line(kSeparator);
    out.line("// Functions");
    out.line(kSeparator);
    WriteHelpers(out);
}

// "    else", "    {", "        nResult = ERR_NOT_EXIST_FUNC;", "    }", "",
// "    return nResult;", "}". Without any branch before it the else would
// dangle, so then only the assignment is written.
void WriteClosing(GeneratedText& out, bool afterBranch) {
    if (afterBranch) {
        out.line("    else");
        out.line("    {");
        out.line("        nResult = ERR_NOT_EXIST_FUNC;");
        out.line("    }");
    } else {
        out.line("    nResult = ERR_NOT_EXIST_FUNC;");
    }
    out.line("");
    out.line("    return nResult;");
    out.line("}");
}

// Per-stream dispatchers: one function per run of messages of one stream,
// one branch per run of one function. Each message is compared with the
// one before it only.
void WriteStreamDispatchers(GeneratedText& out, const std::vector<MessageNumbers>& messages,
                            bool send) {
    qint64 previousStream = 0, previousFunction = 0;
    for (const MessageNumbers& m : messages) {
        if (m.stream == 0)
            continue; // stream 0 stands for "no function open": such messages join none
        const bool newStream = m.stream != previousStream;
        const QByteArray s = QByteArray::number(m.stream);
        if (newStream) {
            if (previousStream != 0)
                WriteClosing(out, true);
            out.line(kSeparator);
            if (send) {
                out.line({"//S", s, "Send"});
                out.line(kSeparator);
                out.line({"short clsS", s,
                          "::Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short "
                          "Mode)"});
            } else {
                out.line({"//S", s, " Recive"});
                out.line(kSeparator);
                out.line({"short clsS", s, "::Receive(TeZorv *X, long lMsgId, short nFunction)"});
            }
            out.line("{");
            out.line("    short nResult=0;");
            out.line("");
        }
        if (newStream || m.function != previousFunction) {
            const QByteArray f = QByteArray::number(m.function);
            out.line({newStream ? "    if(nFunction == " : "    else if(nFunction == ", f, ")"});
            out.line("    {");
            if (send)
                out.line({"        nResult = f", f, ".Send(X, nDevId, lSysByte, Mode);"});
            else
                out.line({"        nResult = f", f, ".Receive(X, lMsgId);"});
            out.line("    }");
            previousStream = m.stream;
            previousFunction = m.function;
        }
    }
    if (previousStream != 0)
        WriteClosing(out, true);
}

void WriteTopDispatcher(GeneratedText& out, const std::vector<MessageNumbers>& messages,
                        bool send) {
    if (send) {
        out.line(kSeparator);
        out.line("short clsSF::Send(TeZorv *X, short nDevId, long lSysByte, short nStream, short "
                 "nFunction, "
                 "short Mode)");
    } else {
        out.line(kSeparator);
        out.line("// SF");
        out.line(kSeparator);
        out.line("short clsSF::Receive(TeZorv *X, long lMsgId, short nStream, short nFunction)");
    }
    out.line("{");
    out.line("    short nResult=0;");
    out.line("");
    // Stream 0 has no stream class (see WriteStreamDispatchers), so it gets
    // no branch either; the else closes the chain whenever a branch opened it.
    qint64 previousStream = 0;
    bool branched = false;
    for (const MessageNumbers& m : messages) {
        if (m.stream == 0 || m.stream == previousStream)
            continue;
        const QByteArray s = QByteArray::number(m.stream);
        out.line({previousStream == 0 ? "    if(nStream == " : "    else if(nStream == ", s, ")"});
        out.line("    {");
        if (send)
            out.line({"        nResult = s", s, ".Send(X, nDevId, lSysByte, nFunction, Mode);"});
        else
            out.line({"        nResult = s", s, ".Receive(X, lMsgId, nFunction);"});
        out.line("    }");
        previousStream = m.stream;
        branched = true;
    }
    WriteClosing(out, branched);
}

void WriteAutoReply(GeneratedText& out) {
    // The Korean comments are written in the code page the documents use.
    auto korean = [](const char* utf8) { return AnsiText::Encode(QString::fromUtf8(utf8)); };
    out.line(kSeparator);
    out.line("short clsSF::AutoReply(TeZorv *X, long lMsgId, short nStream, short nFunction, long "
             "lSysByte, short "
             "nWbit)");
    out.line("{");
    out.line("    short nResult;");
    out.line("    unsigned char dBuff[10];");
    out.line("    AnsiString Msg;");
    out.line("");
    out.line("    X->GetHeaderBytes(lMsgId, (short*)dBuff,10);");
    out.line("    nResult = Receive(X, lMsgId, nStream, nFunction);");
    out.line("");
    out.line("    if(nResult>=0)");
    out.line("    {");
    out.line(korean("        //이부분에서 Zorv Recive Log를 기록하십시오."));
    out.line("        if(nWbit)");
    out.line("        {");
    out.line(korean("            if(/*오프라인이 아니거나 오프라인 상태에서 응답을 보낼 "
                    "메시지에서*/) //정상 Reply메시지를 "
                    "보내는 부분"));
    out.line("            {");
    out.line("                nResult = Send(X, Value_DeviceID,lSysByte, nStream, nFunction+1, "
             "nResult);");
    out.line("            }");
    out.line(korean("            else //S*F0를 보내는 부분"));
    out.line("            {");
    out.line("                nResult = Send(X, Value_DeviceID,lSysByte, nStream, 0, nResult);");
    out.line("            }");
    out.line("        }");
    out.line("    }");
    out.line(korean("    else if(nResult == ERR_LIST_OVERFLOW) //S9F11처리 부분"));
    out.line("    {");
    out.line("        s9.f11.Clear();");
    // MHEAD may hold fewer than the 10 header bytes.
    out.line("        for(int i=0; i<10 && i<(int)(sizeof(s9.f11.MHEAD)/sizeof(s9.f11.MHEAD[0])); "
             "i++)");
    out.line("        {");
    out.line("            s9.f11.MHEAD[i] = dBuff[i];");
    out.line("        }");
    out.line("        nResult = Send(X, Value_DeviceID, 0, 9, 11);");
    out.line("    }");
    out.line("    return nResult;");
    out.line("}");
}

} // namespace

QString HeaderNameForSource(const QString& sourcePath) {
    return PathNames::ChangeFileExt(PathNames::FileNamePart(sourcePath), QStringLiteral(".h"));
}

QByteArray GenerateSourceText(const SmlDocument& doc, const QString& sourcePath, const QDate& date,
                              qint64 maxBytes) {
    GeneratedText out(sourcePath, maxBytes);
    // About 200 bytes per node: one Receive and one Send line with paths.
    out.reserve(doc.nodeCount() * 200 + 65536);
    WriteFixedSection(out, sourcePath, date);
    out.line(kSeparator);

    const int count = doc.topLevelCount();
    std::vector<MessageNumbers> messages;
    messages.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const SmlNode& message = *doc.topLevel(i);
        messages.push_back(MessageNumbersOf(message.Text()));
        WriteClearBody(message, out);
        WriteReceiveBody(message, out);
        WriteSendBody(message, out);
    }
    WriteStreamDispatchers(out, messages, false);
    WriteStreamDispatchers(out, messages, true);
    WriteTopDispatcher(out, messages, false);
    WriteTopDispatcher(out, messages, true);
    WriteAutoReply(out);
    out.line(kSeparator);
    out.line("// Variables");
    out.line(kSeparator);
    out.line("clsSF hsms;");
    return out.take();
}

void WriteSource(const SmlDocument& doc, const QString& path, const QDate& date) {
    const QByteArray text = GenerateSourceText(doc, path, date);
    FileSystem::SafeSave(path, text, kCannotCreateFile);
}

} // namespace pravik
