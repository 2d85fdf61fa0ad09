#include "ui/StatusLook.h"

StatusLook StatusLook::of(DaemonStatus::Kind kind)
{
    using Kind = DaemonStatus::Kind;
    switch (kind) {
    case Kind::running:
        return {QStringLiteral("circle.fill"), SemanticColor::green};
    case Kind::crashed:
        return {QStringLiteral("exclamationmark.triangle.fill"), SemanticColor::red};
    case Kind::stopped:
        return {QStringLiteral("circle"), SemanticColor::secondary};
    case Kind::starting:
        return {QStringLiteral("circle.dotted"), SemanticColor::yellow};
    }
    return {QStringLiteral("circle"), SemanticColor::secondary};
}
