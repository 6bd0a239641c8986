#include "core/requests/PageText.h"

#include "core/requests/ParsedHtml.h"
#include "core/requests/WebBrowser.h"

#include <algorithm>
#include <vector>

namespace {

// Elements that a browser does not render, wherever the parser put them (a title written after
// the answer ends up in the body): those the standard style sheet gives display:none, and any
// element with the hidden attribute. Scripts run in a browser, so noscript shows nothing either.
bool IsNotRendered(const GumboElement& element)
{
    switch (element.tag) {
    case GUMBO_TAG_AREA:
    case GUMBO_TAG_BASE:
    case GUMBO_TAG_BASEFONT:
    case GUMBO_TAG_DATALIST:
    case GUMBO_TAG_HEAD:
    case GUMBO_TAG_LINK:
    case GUMBO_TAG_META:
    case GUMBO_TAG_NOEMBED:
    case GUMBO_TAG_NOFRAMES:
    case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_PARAM:
    case GUMBO_TAG_RP:
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_TITLE:
        return true;
    default:
        return gumbo_get_attribute(&element.attributes, "hidden") != nullptr;
    }
}

// How many line breaks an element needs before and after it: 2 for a paragraph, 1 for the other
// block-level elements and table rows, 0 for inline elements.
int LineBreaksAround(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_P:
        return 2;
    case GUMBO_TAG_ADDRESS:
    case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_ASIDE:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_BODY:
    case GUMBO_TAG_CAPTION:
    case GUMBO_TAG_CENTER:
    case GUMBO_TAG_DD:
    case GUMBO_TAG_DETAILS:
    case GUMBO_TAG_DIR:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_DL:
    case GUMBO_TAG_DT:
    case GUMBO_TAG_FIELDSET:
    case GUMBO_TAG_FIGCAPTION:
    case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_FORM:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
    case GUMBO_TAG_HEADER:
    case GUMBO_TAG_HGROUP:
    case GUMBO_TAG_HR:
    case GUMBO_TAG_HTML:
    case GUMBO_TAG_LEGEND:
    case GUMBO_TAG_LI:
    case GUMBO_TAG_LISTING:
    case GUMBO_TAG_MAIN:
    case GUMBO_TAG_MENU:
    case GUMBO_TAG_NAV:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_PLAINTEXT:
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_SECTION:
    case GUMBO_TAG_SUMMARY:
    case GUMBO_TAG_TABLE:
    case GUMBO_TAG_TR:
    case GUMBO_TAG_UL:
    case GUMBO_TAG_XMP:
        return 1;
    default:
        return 0;
    }
}

bool KeepsWhitespace(GumboTag tag)
{
    return tag == GUMBO_TAG_PRE || tag == GUMBO_TAG_LISTING || tag == GUMBO_TAG_PLAINTEXT ||
           tag == GUMBO_TAG_XMP || tag == GUMBO_TAG_TEXTAREA;
}

bool IsCell(const GumboNode* node)
{
    return node->type == GUMBO_NODE_ELEMENT &&
           (node->v.element.tag == GUMBO_TAG_TD || node->v.element.tag == GUMBO_TAG_TH);
}

bool IsFirstCellOfRow(const GumboNode* cell)
{
    const GumboVector& siblings = cell->parent->v.element.children;
    for (unsigned int i = 0; i < cell->index_within_parent; ++i) {
        if (IsCell(static_cast<const GumboNode*>(siblings.data[i])))
            return false;
    }
    return true;
}

bool IsCollapsibleSpace(QChar character)
{
    return character == u' ' || character == u'\t' || character == u'\n' || character == u'\r' ||
           character == u'\f';
}

// Collects the rendered text: line breaks that blocks require are held back until more text
// follows (so none lead or trail, and neighbours share theirs), as are collapsed spaces.
class TextBuilder
{
public:
    void RequireLineBreaks(int count)
    {
        if (count == 0)
            return;
        pendingLineBreaks_ = std::max(pendingLineBreaks_, count);
        pendingSpace_ = false;
    }

    void LineBreak()
    {
        pendingSpace_ = false;
        Flush();
        text_ += QStringLiteral("\r\n");
    }

    void Tab()
    {
        pendingSpace_ = false;
        Flush();
        text_ += u'\t';
    }

    void Append(const QString& content, bool keepWhitespace)
    {
        for (const QChar character : content) {
            if (keepWhitespace)
                AppendKept(character);
            else if (IsCollapsibleSpace(character))
                pendingSpace_ = !AtLineStart();
            else
                AppendCharacter(character);
        }
    }

    QString Text() const { return text_; }

private:
    bool AtLineStart() const
    {
        return pendingLineBreaks_ > 0 || text_.isEmpty() || text_.endsWith(u'\n') ||
               text_.endsWith(u'\t');
    }

    void Flush()
    {
        if (!text_.isEmpty()) {
            for (int i = 0; i < pendingLineBreaks_; ++i)
                text_ += QStringLiteral("\r\n");
        }
        pendingLineBreaks_ = 0;
    }

    void AppendKept(QChar character)
    {
        Flush();
        if (character == u'\n')
            text_ += QStringLiteral("\r\n");
        else if (character != u'\r')
            text_ += character;
    }

    void AppendCharacter(QChar character)
    {
        Flush();
        if (pendingSpace_)
            text_ += u' ';
        pendingSpace_ = false;
        text_ += character;
    }

    QString text_;
    int pendingLineBreaks_ = 0;
    bool pendingSpace_ = false;
};

// One step of the walk through the tree: entering a node, or leaving an element after its
// children.
struct RenderStep
{
    const GumboNode* node;
    bool keepWhitespace;
    bool leaving;
};

// Enters a node: renders a text, or starts an element and queues its children (first child on
// top) and its end.
void Enter(const RenderStep& step, TextBuilder& builder, std::vector<RenderStep>& steps)
{
    const GumboNode* node = step.node;
    switch (node->type) {
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_CDATA:
    case GUMBO_NODE_WHITESPACE:
        builder.Append(QString::fromUtf8(node->v.text.text), step.keepWhitespace);
        return;
    case GUMBO_NODE_ELEMENT:
        break;
    default:
        return;
    }

    const GumboElement& element = node->v.element;
    if (IsNotRendered(element))
        return;
    if (element.tag == GUMBO_TAG_BR) {
        builder.LineBreak();
        return;
    }
    if (IsCell(node) && !IsFirstCellOfRow(node))
        builder.Tab();
    builder.RequireLineBreaks(LineBreaksAround(element.tag));
    const bool keepInside = step.keepWhitespace || KeepsWhitespace(element.tag);
    steps.push_back({node, keepInside, true});
    for (unsigned int i = element.children.length; i > 0; --i)
        steps.push_back(
            {static_cast<const GumboNode*>(element.children.data[i - 1]), keepInside, false});
}

// The tree is walked with a stack of its own rather than by recursion, so that a deeply nested
// page cannot exhaust the thread's stack.
void Render(const GumboNode* root, TextBuilder& builder)
{
    std::vector<RenderStep> steps = {{root, false, false}};
    while (!steps.empty()) {
        const RenderStep step = steps.back();
        steps.pop_back();
        if (step.leaving)
            builder.RequireLineBreaks(LineBreaksAround(step.node->v.element.tag));
        else
            Enter(step, builder, steps);
    }
}

} // namespace

QString DocumentOuterText(const QString& html)
{
    const ParsedHtml document(html);
    TextBuilder builder;
    Render(document.DocumentElement(), builder);
    return builder.Text();
}

QString PageText(const WebBrowser& browser)
{
    return browser.DocumentText();
}
