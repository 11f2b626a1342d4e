// Our own minimal stand-in for the Zorv driver control's wrapper header and
// the few C++ Builder library names that generated files use. Written from
// the calls the generated text makes, so that the generated code can be
// compiled and run in tests: messages are kept in memory as lists of items,
// nothing is transmitted.
#ifndef EZORVLIB_OCX_STANDIN_H
#define EZORVLIB_OCX_STANDIN_H

#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <vector>

typedef wchar_t* BSTR;

inline int StrLen(const char* s) {
    return static_cast<int>(std::strlen(s));
}
inline char* StrCopy(char* dest, const char* src) {
    return std::strcpy(dest, src);
}
// Strings StrLCopy had to cut: a reader that cut one did not read it whole.
inline long pvkStringsCut = 0;
// At most maxLen characters, then the terminating NUL.
inline char* StrLCopy(char* dest, const char* src, unsigned maxLen) {
    size_t n = 0;
    for (; n < maxLen && src[n]; ++n)
        dest[n] = src[n];
    if (src[n])
        ++pvkStringsCut;
    dest[n] = 0;
    return dest;
}

class AnsiString {
public:
    AnsiString() {}
    AnsiString(const char* s) : m_text(s ? s : "") {}
    AnsiString(const wchar_t* w) {
        for (; w && *w; ++w)
            m_text += static_cast<char>(*w);
    }
    const char* c_str() const { return m_text.c_str(); }

private:
    std::string m_text;
};

class WideString {
public:
    WideString(const char* s) {
        for (; s && *s; ++s)
            m_text += static_cast<wchar_t>(static_cast<unsigned char>(*s));
        m_bstr = &m_text[0];
    }
    // As in C++ Builder, & hands out the address of the held BSTR; it lives
    // until the end of the full expression.
    BSTR* operator&() { return &m_bstr; }

private:
    std::wstring m_text;
    BSTR m_bstr;
};

// Result codes of the stand-in (the driver's values).
const short kZorvItemFormat = -13012;  // the next item has another format
const short kZorvNoItemsLeft = -13011; // all items were read
const short kZorvInvalidMsgId = -13005;
const short kZorvNotEnoughSize = -10025; // the item holds more values than the buffer

class TeZorv {
public:
    struct Item {
        std::string format; // "L", "A", "BOOL", "BINARY", "I1" ... "F8"
        long count = 0;     // list length, string length or number of values
        std::vector<unsigned char> bytes;
        std::wstring text;
    };
    struct Message {
        short device = 0, stream = 0, function = 0;
        long systemBytes = 0;
        std::vector<Item> items;
        size_t next = 0;
        bool open = true;
        unsigned char header[10] = {};
    };

    // --- the calls of generated code ---------------------------------------
    short MakeSecsMsg(long* plMsgId, short nDevId, short nStream, short nFunction, long lSysByte) {
        Message m;
        m.device = nDevId;
        m.stream = nStream;
        m.function = nFunction;
        m.systemBytes = lSysByte;
        m.header[0] = static_cast<unsigned char>(nDevId >> 8);
        m.header[1] = static_cast<unsigned char>(nDevId);
        m.header[2] = static_cast<unsigned char>(nStream);
        m.header[3] = static_cast<unsigned char>(nFunction);
        for (int i = 0; i < 4; ++i)
            m.header[6 + i] = static_cast<unsigned char>(lSysByte >> (8 * (3 - i)));
        *plMsgId = ++m_lastId;
        m_messages[*plMsgId] = m;
        return 0;
    }
    short SetListItem(long lMsgId, short nCount) { return add(lMsgId, "L", nCount, nullptr, 0); }
    short SetStringItem(long lMsgId, BSTR* pbstrValue, long lSize) {
        Message* m = find(lMsgId);
        if (!m)
            return kZorvInvalidMsgId;
        Item item;
        item.format = "A";
        item.count = lSize;
        item.text.assign(*pbstrValue, static_cast<size_t>(lSize));
        m->items.push_back(item);
        return 0;
    }
    short SetBoolItem(long id, short* v, long n) { return add(id, "BOOL", n, v, sizeof(short)); }
    short SetBinaryItem(long id, short* v, long n) {
        return add(id, "BINARY", n, v, sizeof(short));
    }
    short SetI1Item(long id, short* v, long n) { return add(id, "I1", n, v, sizeof(short)); }
    short SetI2Item(long id, short* v, long n) { return add(id, "I2", n, v, sizeof(short)); }
    short SetI4Item(long id, long* v, long n) { return add(id, "I4", n, v, sizeof(long)); }
    short SetI8Item(long id, long* v, long n) { return add(id, "I8", n, v, sizeof(long)); }
    short SetU1Item(long id, short* v, long n) { return add(id, "U1", n, v, sizeof(short)); }
    short SetU2Item(long id, long* v, long n) { return add(id, "U2", n, v, sizeof(long)); }
    short SetU4Item(long id, double* v, long n) { return add(id, "U4", n, v, sizeof(double)); }
    short SetU8Item(long id, double* v, long n) { return add(id, "U8", n, v, sizeof(double)); }
    short SetF4Item(long id, float* v, long n) { return add(id, "F4", n, v, sizeof(float)); }
    short SetF8Item(long id, double* v, long n) { return add(id, "F8", n, v, sizeof(double)); }

    // Sending keeps the message as the last one sent.
    short Send(long lMsgId) {
        Message* m = find(lMsgId);
        if (!m)
            return kZorvInvalidMsgId;
        m->open = false;
        m_sent.push_back(*m);
        m_messages.erase(lMsgId);
        return 0;
    }

    short GetListItem(long lMsgId, short* pnCount) {
        const Item* item = next(lMsgId, "L");
        if (!item)
            return m_error;
        *pnCount = static_cast<short>(item->count);
        return 0;
    }
    short GetAsciiItem(long lMsgId, BSTR* pbstrValue, long* plCount) {
        const Item* item = next(lMsgId, "A");
        if (!item)
            return m_error;
        m_string = item->text;
        *pbstrValue = &m_string[0];
        *plCount = item->count;
        return 0;
    }
    short GetBoolItem(long id, short* v, long* n, long size) { return get(id, "BOOL", v, n, size); }
    short GetBinaryItem(long id, short* v, long* n, long size) {
        return get(id, "BINARY", v, n, size);
    }
    short GetI1Item(long id, short* v, long* n, long size) { return get(id, "I1", v, n, size); }
    short GetI2Item(long id, short* v, long* n, long size) { return get(id, "I2", v, n, size); }
    short GetI4Item(long id, long* v, long* n, long size) { return get(id, "I4", v, n, size); }
    short GetI8Item(long id, long* v, long* n, long size) { return get(id, "I8", v, n, size); }
    short GetU1Item(long id, short* v, long* n, long size) { return get(id, "U1", v, n, size); }
    short GetU2Item(long id, long* v, long* n, long size) { return get(id, "U2", v, n, size); }
    short GetU4Item(long id, double* v, long* n, long size) { return get(id, "U4", v, n, size); }
    short GetU8Item(long id, double* v, long* n, long size) { return get(id, "U8", v, n, size); }
    short GetF4Item(long id, float* v, long* n, long size) { return get(id, "F4", v, n, size); }
    short GetF8Item(long id, double* v, long* n, long size) { return get(id, "F8", v, n, size); }

    short CloseSecsMsg(long lMsgId) {
        Message* m = find(lMsgId);
        if (m)
            m->open = false;
        ++closes;
        return 0;
    }
    short GetHeaderBytes(long lMsgId, short* pBuffer, short nSize) {
        Message* m = find(lMsgId);
        if (!m)
            return kZorvInvalidMsgId;
        std::memcpy(pBuffer, m->header, static_cast<size_t>(nSize < 10 ? nSize : 10));
        return 0;
    }

    // --- the test's side ------------------------------------------------------
    // Hands the last sent message back as a received one; returns its id.
    long Deliver(bool replyExpected = false) {
        Message m = m_sent.back();
        m.next = 0;
        m.open = true;
        if (replyExpected)
            m.header[2] |= 0x80;
        m_messages[++m_lastId] = m;
        return m_lastId;
    }
    const std::vector<Message>& sent() const { return m_sent; }
    // Items left unread in a received message.
    size_t unread(long lMsgId) {
        Message* m = find(lMsgId);
        return m ? m->items.size() - m->next : 0;
    }

    int closes = 0;
    // Values items held beyond the size the reader passed; they are not
    // copied, and the read fails with kZorvNotEnoughSize.
    long valuesBeyondSize = 0;

private:
    Message* find(long id) {
        auto it = m_messages.find(id);
        return it == m_messages.end() ? nullptr : &it->second;
    }
    short add(long id, const char* format, long count, const void* values, size_t width) {
        Message* m = find(id);
        if (!m)
            return kZorvInvalidMsgId;
        Item item;
        item.format = format;
        item.count = count;
        if (values) {
            const unsigned char* p = static_cast<const unsigned char*>(values);
            item.bytes.assign(p, p + width * static_cast<size_t>(count));
        }
        m->items.push_back(item);
        return 0;
    }
    const Item* next(long id, const char* format) {
        Message* m = find(id);
        if (!m || !m->open) {
            m_error = kZorvInvalidMsgId;
            return nullptr;
        }
        if (m->next >= m->items.size()) {
            m_error = kZorvNoItemsLeft;
            return nullptr;
        }
        const Item& item = m->items[m->next];
        if (item.format != format) {
            m_error = kZorvItemFormat;
            return nullptr;
        }
        ++m->next;
        return &item;
    }
    template <class T> short get(long id, const char* format, T* values, long* count, long size) {
        const Item* item = next(id, format);
        if (!item)
            return m_error;
        // Like the driver: never more than size values into the buffer.
        const long copied = item->count < size ? item->count : size;
        if (copied > 0)
            std::memcpy(values, item->bytes.data(), sizeof(T) * static_cast<size_t>(copied));
        *count = item->count;
        if (item->count > size) {
            valuesBeyondSize += item->count - size;
            return kZorvNotEnoughSize;
        }
        return 0;
    }

    std::map<long, Message> m_messages;
    std::vector<Message> m_sent;
    std::wstring m_string;
    long m_lastId = 0;
    short m_error = 0;
};

#endif
