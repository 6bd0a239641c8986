#include "core/localdb/JetDialect.h"

#include <QRegularExpression>
#include <functional>

namespace {

const QRegularExpression TopClause(QStringLiteral(R"(^(\s*SELECT\s+)TOP\s+(\d+)\s+)"),
                                   QRegularExpression::CaseInsensitiveOption);
const QRegularExpression LeftCall(QStringLiteral(R"(\bLEFT\s*\(\s*([^,()]+?)\s*,\s*(\d+)\s*\))"),
                                  QRegularExpression::CaseInsensitiveOption);

// Applies adapt to the parts of the statement outside single-quoted literals ('' inside a
// literal is a quote character); the literals are copied unchanged.
QString OutsideLiterals(const QString& statement, const std::function<QString(QString)>& adapt)
{
    QString result;
    qsizetype partStart = 0;
    bool inLiteral = false;
    for (qsizetype i = 0; i < statement.size(); ++i) {
        if (statement.at(i) != QLatin1Char('\''))
            continue;
        if (!inLiteral) {
            result += adapt(statement.mid(partStart, i - partStart));
            partStart = i;
            inLiteral = true;
        } else if (i + 1 < statement.size() && statement.at(i + 1) == QLatin1Char('\'')) {
            ++i;
        } else {
            result += statement.mid(partStart, i + 1 - partStart);
            partStart = i + 1;
            inLiteral = false;
        }
    }
    const QString rest = statement.mid(partStart);
    return result + (inLiteral ? rest : adapt(rest));
}

} // namespace

QString JetToSqlite(const QString& statement)
{
    const QString adapted = OutsideLiterals(statement, [](QString code) {
        return code.replace(LeftCall, QStringLiteral("substr(\\1,1,\\2)"));
    });
    const QRegularExpressionMatch top = TopClause.match(adapted);
    if (!top.hasMatch())
        return adapted;
    return top.captured(1) + adapted.mid(top.capturedEnd()) + QStringLiteral(" LIMIT ") +
           top.captured(2);
}
