#include "model/QsKind.h"

#include "model/QsParams.h"

namespace qnetica {

QsKind KindOf(const QsParams& qs) {
    if (qs.BoundedQueue) return QsKind::Bounded;
    return qs.RelativePriority ? QsKind::Priority : QsKind::Plain;
}

const char* QsKindName(QsKind kind) {
    switch (kind) {
        case QsKind::Bounded:
            return "bounded";
        case QsKind::Priority:
            return "priority";
        case QsKind::Plain:
            break;
    }
    return "plain";
}

const char* QsKindText(QsKind kind) {
    switch (kind) {
        case QsKind::Bounded:
            return "с ограниченной очередью";
        case QsKind::Priority:
            return "с относительным приоритетом";
        case QsKind::Plain:
            break;
    }
    return "обычная";
}

}  // namespace qnetica
