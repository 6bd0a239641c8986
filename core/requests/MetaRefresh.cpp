#include "core/requests/MetaRefresh.h"

#include "core/requests/ParsedHtml.h"

#include <QRegularExpression>
#include <vector>

namespace {

QString Attribute(const GumboNode* element, const char* name)
{
    const GumboAttribute* attribute = gumbo_get_attribute(&element->v.element.attributes, name);
    return attribute == nullptr ? QString() : QString::fromUtf8(attribute->value);
}

bool IsRefresh(const GumboNode* node)
{
    return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == GUMBO_TAG_META &&
           Attribute(node, "http-equiv").compare(u"refresh", Qt::CaseInsensitive) == 0;
}

// The content attribute of the first refresh <meta> in document order, or empty. The tree is
// walked with a stack of its own, so that a deeply nested page cannot exhaust the thread's stack.
QString RefreshContent(const GumboNode* root)
{
    std::vector<const GumboNode*> pending = {root};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT)
            continue;
        if (IsRefresh(node)) {
            const QString content = Attribute(node, "content");
            if (!content.isEmpty())
                return content;
        }
        const GumboVector& children = node->v.element.children;
        for (unsigned int i = children.length; i > 0; --i)
            pending.push_back(static_cast<const GumboNode*>(children.data[i - 1]));
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
