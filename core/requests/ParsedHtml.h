#pragma once

#include <QByteArray>
#include <QString>
#include <gumbo.h>

// An HTML document parsed by gumbo as a browser parses it; the tree lives as long as the object.
class ParsedHtml
{
public:
    explicit ParsedHtml(const QString& html)
        : utf8_(html.toUtf8()),
          output_(gumbo_parse_with_options(&kGumboDefaultOptions, utf8_.constData(),
                                           static_cast<size_t>(utf8_.size())))
    {
    }
    ~ParsedHtml() { gumbo_destroy_output(&kGumboDefaultOptions, output_); }
    ParsedHtml(const ParsedHtml&) = delete;
    ParsedHtml& operator=(const ParsedHtml&) = delete;

    // The html element, which the parser always creates.
    const GumboNode* DocumentElement() const { return output_->root; }

private:
    QByteArray utf8_;
    GumboOutput* output_;
};
