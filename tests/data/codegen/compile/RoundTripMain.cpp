// Drives generated code for roundtrip.sml through the in-memory stand-in of
// the driver control: fills every message, sends it, receives what was sent
// into a fresh object and compares every member. Exit status 0 on success.
#include "roundtrip.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

static int failures = 0;

#define CHECK(cond)                                                                                \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::printf("FAILED line %d: %s\n", __LINE__, #cond);                                  \
            ++failures;                                                                            \
        }                                                                                          \
    } while (0)

// Every member byte for byte (padding inside the member structs included:
// the sender starts from zeros and Receive clears before it reads).
#define SAME(a, b, member) (std::memcmp(&(a).member, &(b).member, sizeof((a).member)) == 0)

// Sends sent through the stand-in and receives it into a fresh object of
// the same class; same tells whether every member came back.
template <class M, class Same> void RoundTrip(TeZorv& zorv, M& sent, const char* name, Same same) {
    CHECK(sent.Send(&zorv, 1, 77) >= 0);
    const long id = zorv.Deliver();
    M received;
    std::memset(&received, 0x5A, sizeof received); // garbage that Receive must replace
    const short result = received.Receive(&zorv, id);
    if (result < 0 || !same(sent, received) || zorv.unread(id) != 0) {
        std::printf("FAILED round trip of %s (result %d, unread %d)\n", name, result,
                    int(zorv.unread(id)));
        ++failures;
    }
}

// Appends n values of the type numbered as in S2F35 (BINARY, BOOL, I1 ...
// F8) to a message being built.
static void AddValues(TeZorv& zorv, long id, int type, long n) {
    short s[4] = {1, 0, 1, 1};
    long l[4] = {-5, 6, -7, 8};
    double d[4] = {1.5, 2.5, 3.5, 4.5};
    float f[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    switch (type) {
    case 0:
        zorv.SetBinaryItem(id, s, n);
        break;
    case 1:
        zorv.SetBoolItem(id, s, n);
        break;
    case 2:
        zorv.SetI1Item(id, s, n);
        break;
    case 3:
        zorv.SetI2Item(id, s, n);
        break;
    case 4:
        zorv.SetI4Item(id, l, n);
        break;
    case 5:
        zorv.SetI8Item(id, l, n);
        break;
    case 6:
        zorv.SetU1Item(id, s, n);
        break;
    case 7:
        zorv.SetU2Item(id, l, n);
        break;
    case 8:
        zorv.SetU4Item(id, d, n);
        break;
    case 9:
        zorv.SetU8Item(id, d, n);
        break;
    case 10:
        zorv.SetF4Item(id, f, n);
        break;
    default:
        zorv.SetF8Item(id, d, n);
        break;
    }
}

int main() {
    TeZorv zorv;

    // S1F2: a fixed list of strings (padded with blanks on sending).
    clsS1F2& s1f2 = hsms.s1.f2;
    std::memset(&s1f2, 0, sizeof s1f2);
    std::strcpy(s1f2.L1.MDLN, "EQ1");
    std::strcpy(s1f2.L1.SOFTREV, "1.0.2");
    RoundTrip(zorv, s1f2, "S1F2", [](auto& a, auto& b) { return SAME(a, b, L1); });
    CHECK(std::strcmp(s1f2.L1.MDLN, "EQ1   ") == 0);

    // S2F18: a single string as the message's only item.
    clsS2F18 s2f18;
    std::memset(&s2f18, 0, sizeof s2f18);
    std::strcpy(s2f18.TIME, "2005030712000000");
    RoundTrip(zorv, s2f18, "S2F18", [](auto& a, auto& b) { return SAME(a, b, TIME); });

    // S2F33: every item type, arrays, nested and variable lists.
    clsS2F33 all;
    std::memset(&all, 0, sizeof all);
    std::strcpy(all.L1.Name, "Everything");
    all.L1.Flag = 0x41;
    for (int i = 0; i < 4; ++i)
        all.L1.Bits[i] = short(i * 3 + 1);
    all.L1.On = 1;
    all.L1.Switches[0] = 1, all.L1.Switches[2] = 1;
    all.L1.L1.a1 = -7;
    all.L1.L1.a2[0] = 12, all.L1.L1.a2[1] = -13;
    all.L1.b1 = -300;
    all.L1.b3[0] = 1, all.L1.b3[1] = 2, all.L1.b3[2] = 3;
    all.L1.c1 = -70000;
    all.L1.c2[0] = 123456, all.L1.c2[1] = -654321;
    all.L1.Rows = Max_Rows;
    for (int r = 0; r < Max_Rows; ++r) {
        all.L1.L2[r].L1.d1 = 1000000L * (r + 1);
        all.L1.L2[r].L1.L1.e1 = short(200 + r);
        for (int k = 0; k < 4; ++k)
            all.L1.L2[r].L1.L1.e4[k] = short(k + r);
        all.L1.L2[r].L1.L1.Deep = short(r % Max_Deep + 1); // rows hold 1 or 2 elements
        for (int d = 0; d < all.L1.L2[r].L1.L1.Deep; ++d) {
            all.L1.L2[r].L1.L1.L1[d].L1.f1 = 65000 + d;
            all.L1.L2[r].L1.L1.L1[d].L1.f2[0] = r, all.L1.L2[r].L1.L1.L1[d].L1.f2[1] = d;
            all.L1.L2[r].L1.L1.L1[d].L1.g1 = 4000000000.0 + r;
        }
        for (int k = 0; k < 3; ++k)
            all.L1.L2[r].L1.g3[k] = 0.5 * k + r;
    }
    all.L1.h1 = 1e15;
    all.L1.h2[0] = 2, all.L1.h2[1] = 3;
    all.L1.i1 = 1.5f;
    all.L1.i2[0] = -2.25f, all.L1.i2[1] = 1e-3f;
    all.L1.j1 = 3.141592653589793;
    all.L1.j3[0] = -1, all.L1.j3[1] = 0, all.L1.j3[2] = 1e300;
    RoundTrip(zorv, all, "S2F33", [](auto& a, auto& b) { return SAME(a, b, L1); });
    // The item order on the wire follows the declaration.
    const TeZorv::Message& wire = zorv.sent().back();
    CHECK(wire.stream == 2 && wire.function == 33 && wire.items[0].format == "L" &&
          wire.items[0].count == 17);
    CHECK(wire.items[1].format == "A" && wire.items[1].count == 10);
    CHECK(wire.items[2].format == "BINARY" && wire.items[3].count == 4 &&
          wire.items[5].format == "BOOL");

    // S2F35: an array of every numeric type, each read whole.
    clsS2F35 arrays;
    std::memset(&arrays, 0, sizeof arrays);
    for (int k = 0; k < 3; ++k) {
        arrays.L1.b1[k] = short(0xF0 + k), arrays.L1.b[k] = short(k % 2);
        arrays.L1.i1[k] = short(-100 - k), arrays.L1.i2[k] = short(-30000 + k);
        arrays.L1.i4[k] = -2000000000L + k, arrays.L1.i8[k] = 9000000000L * (k + 1);
        arrays.L1.u1[k] = short(250 + k), arrays.L1.u2[k] = 65533 + k;
        arrays.L1.u4[k] = 4294967293.0 + k, arrays.L1.u8[k] = 1e18 + 4096.0 * k;
        arrays.L1.f4[k] = -1.5f * k, arrays.L1.f8[k] = 1e-300 * (k + 1);
    }
    RoundTrip(zorv, arrays, "S2F35", [](auto& a, auto& b) { return SAME(a, b, L1); });
    // Every Receive so far asked for the whole of its arrays.
    CHECK(zorv.valuesBeyondSize == 0);

    // A peer's array one value longer than its member, for every type: the
    // reader stops at the member's end and the receive fails; the members
    // behind it keep the zeros Clear gave them. The object lives on the heap,
    // so that a write beyond the last member is caught as well.
    struct Member {
        size_t offset, size;
    };
#define MEMBER(x)                                                                                  \
    { offsetof(clsS2F35, L1.x), sizeof(((clsS2F35*)nullptr)->L1.x) }
    const Member members[12] = {MEMBER(b1), MEMBER(b),  MEMBER(i1), MEMBER(i2),
                                MEMBER(i4), MEMBER(i8), MEMBER(u1), MEMBER(u2),
                                MEMBER(u4), MEMBER(u8), MEMBER(f4), MEMBER(f8)};
#undef MEMBER
    for (int longer = 0; longer < 12; ++longer) {
        long id;
        zorv.MakeSecsMsg(&id, 1, 2, 35, 5);
        zorv.SetListItem(id, 12);
        for (int t = 0; t < 12; ++t)
            AddValues(zorv, id, t, t == longer ? 4 : 3);
        zorv.Send(id);
        clsS2F35* received = new clsS2F35;
        std::memset(received, 0x5A, sizeof *received);
        CHECK(received->Receive(&zorv, zorv.Deliver()) == kZorvNotEnoughSize);
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(received);
        if (longer < 11) {
            const Member& next = members[longer + 1];
            for (size_t k = 0; k < next.size; ++k)
                if (bytes[next.offset + k] != 0) {
                    std::printf("FAILED: %d values of type %d reached the next member\n", 4,
                                longer);
                    ++failures;
                    break;
                }
        }
        delete received;
    }
    CHECK(zorv.valuesBeyondSize == 12);

    // A string longer than its member: S2F18's TIME holds 16 characters.
    {
        long id;
        zorv.MakeSecsMsg(&id, 1, 2, 18, 6);
        WideString longText("2005030712000000 and then some more");
        zorv.SetStringItem(id, &longText, 35);
        zorv.Send(id);
        clsS2F18* time = new clsS2F18;
        std::memset(time, 0x5A, sizeof *time);
        CHECK(time->Receive(&zorv, zorv.Deliver()) >= 0);
        CHECK(std::strcmp(time->TIME, "2005030712000000") == 0);
        // An item of another format: the reader fails and copies nothing.
        zorv.MakeSecsMsg(&id, 1, 2, 18, 7);
        double value = 1;
        zorv.SetU4Item(id, &value, 1);
        zorv.Send(id);
        std::memset(time, 0x5A, sizeof *time);
        CHECK(time->Receive(&zorv, zorv.Deliver()) == kZorvItemFormat);
        CHECK(time->TIME[0] == 0);
        delete time;
    }

    // S5F5: a variable list as the message's first child.
    clsS5F5 alarms;
    std::memset(&alarms, 0, sizeof alarms);
    alarms.ALIDs = 2;
    alarms.L1[0].ALID = 17, alarms.L1[1].ALID = 42;
    RoundTrip(zorv, alarms, "S5F5",
              [](auto& a, auto& b) { return a.ALIDs == b.ALIDs && SAME(a, b, L1); });

    // S6F11 through the dispatchers: clsSF -> clsS6 -> clsS6F11.
    clsS6F11& report = hsms.s6.f11;
    std::memset(&report, 0, sizeof report);
    report.L1.DATAID = 1, report.L1.CEID = 5001;
    report.L1.RPT = 2;
    for (int i = 0; i < 2; ++i) {
        report.L1.L1[i].L1.RPTID = 100 + i;
        report.L1.L1[i].L1.V = short(i + 1);
        for (int j = 0; j <= i; ++j)
            std::sprintf(report.L1.L1[i].L1.L1[j].VALUE, "value %d.%d", i, j);
    }
    CHECK(hsms.Send(&zorv, 1, 88, 6, 11) >= 0);
    clsS6F11 copy;
    std::memcpy(&copy, &report, sizeof copy);
    std::memset(&report, 0, sizeof report);
    CHECK(hsms.Receive(&zorv, zorv.Deliver(), 6, 11) >= 0);
    CHECK(SAME(copy, report, L1));
    CHECK(hsms.Receive(&zorv, zorv.Deliver(), 6, 99) == ERR_NOT_EXIST_FUNC);
    CHECK(hsms.Receive(&zorv, zorv.Deliver(), 7, 11) == ERR_NOT_EXIST_FUNC);
    CHECK(hsms.Send(&zorv, 1, 0, 1, 5) == ERR_NOT_EXIST_FUNC);

    // A variable list longer than its bound: the sender refuses it ...
    report.L1.RPT = Max_RPT + 1;
    CHECK(report.Send(&zorv) == ERR_LIST_OVERFLOW);
    // ... and a peer's longer list gives ERR_LIST_OVERFLOW on receiving.
    long id;
    zorv.MakeSecsMsg(&id, 1, 6, 11, 99);
    zorv.SetListItem(id, 3);
    double dataid = 1, ceid = 2;
    zorv.SetU4Item(id, &dataid, 1);
    zorv.SetU4Item(id, &ceid, 1);
    zorv.SetListItem(id, Max_RPT + 1);
    zorv.Send(id);
    const int closesBefore = zorv.closes;
    clsS6F11 tooLong;
    CHECK(tooLong.Receive(&zorv, zorv.Deliver()) == ERR_LIST_OVERFLOW);
    CHECK(zorv.closes > closesBefore);

    // AutoReply answers S1F1 with S1F2 (the reply's contents are hsms.s1.f2)
    // and a too long list with S9F11 carrying the received header.
    const size_t sentBefore = zorv.sent().size();
    clsS1F1 areYouThere;
    CHECK(areYouThere.Send(&zorv, 1, 1234) >= 0);
    const long ayt = zorv.Deliver(true);
    CHECK(hsms.AutoReply(&zorv, ayt, 1, 1, 1234, 1) >= 0);
    CHECK(zorv.sent().size() == sentBefore + 2);
    CHECK(zorv.sent().back().stream == 1 && zorv.sent().back().function == 2);
    CHECK(zorv.sent().back().systemBytes == 1234);
    CHECK(zorv.sent().back().items.size() == 3);

    zorv.MakeSecsMsg(&id, 1, 6, 11, 555);
    zorv.SetListItem(id, 3);
    zorv.SetU4Item(id, &dataid, 1);
    zorv.SetU4Item(id, &ceid, 1);
    zorv.SetListItem(id, Max_RPT + 5);
    zorv.Send(id);
    const long overflow = zorv.Deliver(true);
    CHECK(hsms.AutoReply(&zorv, overflow, 6, 11, 555, 1) >= 0);
    const TeZorv::Message& s9f11 = zorv.sent().back();
    CHECK(s9f11.stream == 9 && s9f11.function == 11 && s9f11.systemBytes == 0);
    CHECK(s9f11.items.size() == 1 && s9f11.items[0].format == "BINARY" &&
          s9f11.items[0].count == 10);
    if (s9f11.items.size() == 1 && s9f11.items[0].bytes.size() == 10 * sizeof(short)) {
        short mhead[10];
        std::memcpy(mhead, s9f11.items[0].bytes.data(), sizeof mhead);
        CHECK(mhead[2] == (0x80 | 6) && mhead[3] == 11 && mhead[9] == (555 & 0xFF));
    }

    std::printf("values beyond the size passed by Receive: %ld\n", zorv.valuesBeyondSize);
    std::printf("%s\n", failures ? "round trip FAILED" : "round trip OK");
    return failures ? 1 : 0;
}
