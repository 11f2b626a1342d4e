#include "RandomDefinitions.h"

#include "platform/AnsiText.h"

#include <QSet>
#include <algorithm>
#include <random>
#include <vector>

namespace pravik::test {

namespace {

class Maker {
public:
    explicit Maker(quint64 seed) : m_rng(seed) {}

    QByteArray document() {
        struct Message {
            int stream, function;
            QByteArray text;
        };
        std::vector<Message> messages;
        QSet<int> keys;
        const int count = range(1, 6);
        for (int i = 0; i < count; ++i) {
            Message m;
            m.stream = chance(0.04) ? pick({0, 127, 128}) : range(1, 12);
            m.function = chance(0.04) ? pick({0, 255, 256, 1000}) : range(1, 40);
            const int key = m.stream * 1000 + m.function;
            if (keys.contains(key) && !chance(0.3))
                continue; // a repeated message now and then, not often
            keys.insert(key);
            m.text = messageText(m.stream, m.function);
            m.text += body(m.stream == 9 && m.function == 11);
            messages.push_back(std::move(m));
        }
        if (!chance(0.04) && !keys.contains(9011)) {
            Message s9{9, 11, "<S9F11 N Data Too Long\r\n"};
            s9.text += chance(0.03) ? "  <BINARY 1 MHEAD >\r\n" : "  <BINARY 10 MHEAD >\r\n";
            s9.text += ">\r\n";
            messages.push_back(std::move(s9));
        }
        // In key order, as the editor keeps them, unless a user moved one.
        std::stable_sort(messages.begin(), messages.end(), [](const Message& a, const Message& b) {
            return a.stream * 1000 + a.function < b.stream * 1000 + b.function;
        });
        if (messages.size() > 2 && chance(0.05))
            std::swap(messages.front(), messages.back());
        QByteArray sml;
        for (const Message& m : messages)
            sml += m.text + "\r\n";
        return sml;
    }

private:
    int range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }
    template <class T> T pick(std::initializer_list<T> items) {
        return *(items.begin() + range(0, static_cast<int>(items.size()) - 1));
    }

    QByteArray messageText(int stream, int function) {
        QByteArray s = QByteArray::number(stream);
        if (chance(0.03))
            s.prepend('0'); // leading zeros name the same class
        QByteArray text = "<S" + s + "F" + QByteArray::number(function) + ' ';
        const bool odd = function % 2 != 0;
        if (chance(0.02))
            ; // no type letter
        else if (chance(0.15))
            text += "N ";
        else
            text += (odd != chance(0.03)) ? "P " : "S ";
        text += pick<const char*>({"Request", "Data", "Report Send", "Acknowledge", ""});
        if (chance(0.01))
            text += "\\"; // breaks the class comment
        return text + "\r\n";
    }

    // The message's item tree: usually one child, a list more often than
    // an item.
    QByteArray body(bool autoReplyTarget) {
        if (autoReplyTarget)
            return "  <BINARY 10 MHEAD >\r\n>\r\n";
        QByteArray out;
        const int children = chance(0.15) ? 0 : chance(0.03) ? 2 : 1;
        Scope scope;
        for (int i = 0; i < children; ++i)
            out += node(1, scope, true);
        return out + ">\r\n";
    }

    struct Scope {
        QSet<QByteArray> names;
    };

    QByteArray indent(int depth) { return QByteArray(2 * depth, ' '); }

    QByteArray node(int depth, Scope& scope, bool classScope) {
        if (depth < 5 && chance(depth == 1 ? 0.65 : 0.3))
            return list(depth, scope, classScope);
        return item(depth, scope, classScope);
    }

    QByteArray list(int depth, Scope& scope, bool classScope) {
        QByteArray out;
        Scope inner;
        if (chance(0.3)) {
            // A variable list: a count member in the parent, one repeating child.
            out += indent(depth) + "<L n " + name(scope, classScope) + "\r\n";
            const int children = chance(0.03) ? 2 : 1;
            for (int i = 0; i < children; ++i)
                out += node(depth + 1, inner, false);
        } else {
            const int children = range(0, 4);
            int written = children;
            if (chance(0.02))
                written += chance(0.5) ? 1 : -1; // a count that does not match
            QByteArray description = pick<QByteArray>(
                {"Report", "Body", "", "Row", AnsiText::Encode(QStringLiteral("목록"))});
            out += indent(depth) + "<L " + QByteArray::number(std::max(0, written)) + " " +
                   description + "\r\n";
            for (int i = 0; i < children; ++i)
                out += node(depth + 1, inner, false);
        }
        return out + indent(depth) + ">\r\n";
    }

    QByteArray item(int depth, Scope& scope, bool classScope) {
        QByteArray type;
        if (chance(0.02))
            type = "J8";
        else if (chance(0.02))
            type = "X2";
        else
            type = pick<const char*>({"A", "BINARY", "BOOL", "I1", "I2", "I4", "I8", "U1", "U2",
                                      "U4", "U8", "F4", "F8", "A"});
        QByteArray length;
        if (chance(0.03))
            length = "n";
        else if (chance(0.02))
            length = pick<const char*>({"0", "01", "-1"});
        else if (type == "A")
            length = QByteArray::number(range(1, 12));
        else
            length = chance(0.5) ? "1" : QByteArray::number(range(2, 5));
        return indent(depth) + "<" + type + " " + length + " " + name(scope, classScope) + " >\r\n";
    }

    // A member name, unique in its scope unless a mistake is made.
    QByteArray name(Scope& scope, bool classScope) {
        if (chance(0.03)) {
            if (!scope.names.isEmpty() && chance(0.3))
                return *scope.names.begin(); // repeated
            // Type names hide their type only where it is used inside.
            return pick<QByteArray>({"", "1st", AnsiText::Encode(QStringLiteral("값")), "int",
                                     "class", "NULL", "U4", "A", "B", "B1", "F8", "I2", "Max_V",
                                     "L1", "__x",
                                     classScope ? QByteArray("nResult") : QByteArray("X"),
                                     classScope ? QByteArray("i") : QByteArray("lMsgId")});
        }
        static const char* const kWords[] = {"CEID",   "RPTID", "VID",   "SVID", "ALID", "MDLN",
                                             "Value",  "Temp",  "Count", "Flag", "Name", "ECV",
                                             "DATAID", "TEXT",  "x",     "V",    "Rows", "Data"};
        for (;;) {
            QByteArray n = kWords[range(0, int(std::size(kWords)) - 1)];
            if (chance(0.5))
                n += QByteArray::number(range(1, 99));
            if (chance(0.05)) {
                // Quoted words keep a blank, which the member name makes "_".
                if (scope.names.contains(n + "_Part"))
                    continue;
                scope.names.insert(n + "_Part");
                return "\"" + n + " Part\"";
            }
            if (!scope.names.contains(n)) {
                scope.names.insert(n);
                return n;
            }
        }
    }

    std::mt19937_64 m_rng;
};

} // namespace

QByteArray RandomDefinitions(quint64 seed) {
    return Maker(seed).document();
}

} // namespace pravik::test
