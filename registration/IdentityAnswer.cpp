#include "registration/IdentityAnswer.h"

#include "core/requests/SplitFields.h"

namespace IdentityAnswer {

QStringList Fields(const QString& text)
{
    QStringList fields;
    SplitFields(CharSetOf(u"]"), CharSet(), text, &fields);
    return fields;
}

Status StatusOf(const QStringList& fields)
{
    const QString status = FieldAt(fields, StatusField);
    if (status == QStringLiteral("1"))
        return Status::Confirmed;
    if (status == QStringLiteral("3") || status == QStringLiteral("9"))
        return Status::Refused;
    return Status::Other;
}

} // namespace IdentityAnswer
