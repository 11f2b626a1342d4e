#include "hsms/ReceivedCheck.h"

#include "check/Diagnostic.h"
#include "document/SmlNode.h"
#include "hsms/Conformance.h"
#include "hsms/DefinitionIndex.h"
#include "secs/SecsCodec.h"

#include <algorithm>

namespace pravik {

Verdict VerdictFor(const SmlNode& message, const SecsBody& body, ConformanceCache* cache) {
    Verdict v;
    const ConformanceResult r = CheckConformance(message, body, cache);
    if (r.conforms) {
        v.kind = Verdict::Kind::Conforms;
        return v;
    }
    v.kind = Verdict::Kind::Differs;
    v.message = r.reason;
    v.item = r.item;
    Diagnostic d;
    d.where = NodeRef{r.node, &message, -1, r.depth};
    d.rule = "S9F7";
    d.message = r.reason;
    v.path = DiagnosticPath(d);
    for (const SmlNode* n = r.node; n; n = n->parent())
        v.rows.push_back(n->row());
    std::reverse(v.rows.begin(), v.rows.end());
    return v;
}

void CheckReceived(DefinitionIndex* definitions, QByteArray bytes, TrafficRecord& record) {
    record.size = bytes.size();
    Verdict& v = record.verdict;
    if (const auto error = DecodeBody(bytes, record.body)) {
        record.decoded = false;
        record.body = SecsBody();
        record.raw = std::move(bytes);
        v.kind = Verdict::Kind::IllegalData;
        v.message = QStringLiteral("SECS-II 본문이 아닙니다: 바이트 %1: %2")
                        .arg(error->offset)
                        .arg(error->message);
        return;
    }
    record.decoded = true;
    if (!definitions) {
        v.kind = Verdict::Kind::NotChecked;
        return;
    }
    const SmlNode* def = definitions->find(record.stream, record.function);
    if (!def) {
        if (!definitions->hasStream(record.stream)) {
            v.kind = Verdict::Kind::UnknownStream;
            v.message = QStringLiteral("정의에 스트림 %1이(가) 없습니다").arg(record.stream);
        } else {
            v.kind = Verdict::Kind::UnknownFunction;
            v.message = QStringLiteral("스트림 %1의 정의에 기능 %2이(가) 없습니다")
                            .arg(record.stream)
                            .arg(record.function);
        }
        return;
    }
    v = VerdictFor(*def, record.body, &definitions->cache());
}

} // namespace pravik
