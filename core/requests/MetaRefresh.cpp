#include "MetaRefresh.h"

#include "ParsedHtml.h"

#include <QRegularExpression>

namespace {

QString Attribute(const GumboNode* element, const char* name)
{
    const GumboAttribute* attribute = gumbo_get_attribute(&element->v.element.attributes, name);
    return attribute == nullptr ? QString() : QString::fromUtf8(attribute->value);
}

// The content attribute of the first refresh <meta> in document order, or empty.
QString RefreshContent(const GumboNode* node)
{
    if (node->type != GUMBO_NODE_ELEMENT)
        return {};
    if (node->v.element.tag == GUMBO_TAG_META &&
        Attribute(node, "http-equiv").compare(u"refresh", Qt::CaseInsensitive) == 0)
        return Attribute(node, "content");
    const GumboVector& children = node->v.element.children;
    for (unsigned int i = 0; i < children.length; ++i) {
        const QString content = RefreshContent(static_cast<const GumboNode*>(children.data[i]));
        if (!content.isEmpty())
            return content;
    }
    return {};
}

} // namespace

QString ImmediateRefreshTarget(const QString& html)
{
    static const QRegularExpression immediate(
        QStringLiteral(R"(^\s*0+(?:\.\d*)?\s*[;,]\s*(?:url\s*=\s*)?(["']?)(.*?)\1\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const ParsedHtml document(html);
    return immediate.match(RefreshContent(document.DocumentElement())).captured(2).trimmed();
}
