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

// The hours the specific-Sunday section gives a pharmacy on a date ("2027-02-07"); empty when the
// section does not list it.
inline std::string ListedSpecificSunday(const std::string& html, const std::string& date,
                                        const std::string& pharmacy)
{
    const std::size_t section = html.find("<h2>특정 일요일 근무</h2>");
    const std::string item = "<li>" + date + " " + pharmacy + " <em>";
    const std::size_t start = section == std::string::npos ? section : html.find(item, section);
    if (start == std::string::npos)
        return {};
    const std::size_t from = start + item.size();
    return html.substr(from, html.find("</em>", from) - from);
}

// The hours a pharmacy's entry gives for today ("오늘 근무: ...").
inline std::string ListedToday(const std::string& html, const std::string& pharmacy)
{
    const std::string entry = ListedEntry(html, pharmacy);
    const std::string label = "오늘 근무: <em>";
    const std::size_t start = entry.find(label);
    if (start == std::string::npos)
        return {};
    const std::size_t from = start + label.size();
    return entry.substr(from, entry.find("</em>", from) - from);
}
