#pragma once

namespace qnetica {

struct QsParams;

enum class QsKind {
    Plain,     // M/M/n, first come first served
    Bounded,   // at most Places requests in service and waiting; one that finds it full is lost
    Priority,  // classes with relative (non-preemptive) priority, the last class the most urgent
};

// A QS marked both bounded and priority is computed as bounded, so that is its kind.
QsKind KindOf(const QsParams& qs);
// "plain", "bounded" or "priority", as the JSON forms write it.
const char* QsKindName(QsKind kind);
// "обычная", "с ограниченной очередью" or "с относительным приоритетом" (UTF-8).
const char* QsKindText(QsKind kind);

}  // namespace qnetica
