#pragma once

#include <QByteArray>
#include <QString>
#include <gumbo.h>

// An HTML document parsed by gumbo as a browser parses it; the tree lives as long as the object.
class ParsedHtml
{
public:
    explicit ParsedHtml(const QString& html)
        : utf8_(html.toUtf8()), output_(gumbo_parse_with_options(&Options(), utf8_.constData(),
                                                                 static_cast<size_t>(utf8_.size())))
    {
    }
    ~ParsedHtml() { gumbo_destroy_output(&Options(), output_); }
    ParsedHtml(const ParsedHtml&) = delete;
    ParsedHtml& operator=(const ParsedHtml&) = delete;

    // The html element, which the parser always creates.
    const GumboNode* DocumentElement() const { return output_->root; }

private:
    // No parse errors are recorded: nothing reads them, and each one copies the whole stack of
    // open elements, which made deeply nested pages take quadratic time and memory.
    static const GumboOptions& Options()
    {
        static const GumboOptions options = [] {
            GumboOptions recordNoErrors = kGumboDefaultOptions;
            recordNoErrors.max_errors = 0;
            return recordNoErrors;
        }();
        return options;
    }

    QByteArray utf8_;
    GumboOutput* output_;
};
