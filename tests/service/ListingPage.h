#pragma once

#include <string>

// The open state the public listing gives a pharmacy ("open", "unclear", "closed"), read from the
// class of its entry; empty when the page does not list it.
inline std::string ListedState(const std::string& html, const std::string& pharmacy)
{
    const std::size_t name = html.find("<b>" + pharmacy + "</b>");
    const std::string entry = "<div class=\"ph ";
    const std::size_t start = name == std::string::npos ? name : html.rfind(entry, name);
    if (start == std::string::npos)
        return {};
    const std::size_t from = start + entry.size();
    return html.substr(from, html.find('"', from) - from);
}

// The text of a pharmacy's entry on the listing (from its name to the end of the entry).
inline std::string ListedEntry(const std::string& html, const std::string& pharmacy)
{
    const std::size_t name = html.find("<b>" + pharmacy + "</b>");
    if (name == std::string::npos)
        return {};
    return html.substr(name, html.find("</div>", name) - name);
}
