#pragma once

#include "core/program/MessageBox.h"

#include <QString>
#include <functional>
#include <optional>

// The request of an hours window that a completed page is taken to answer. A window's page
// carries one request at a time, and whatever completes after the save was pressed is the save's
// answer.
enum class HoursRequest
{
    None,  // nothing sent yet
    Fetch, // the registered hours were asked for
    Save,  // the edited hours were sent
};

// Whether the rows hold the service's answer to the fetch. The completion button acts only once
// they do, so that rows never filled are not sent as the pharmacy's hours.
enum class FetchState
{
    Pending, // the fetch is under way
    Applied, // the last answer filled every row
    Failed,  // an error page, or an answer that could not be read
};

// What the weekly, legal-holiday and festival windows share in their exchange with their service
// page: the fetch when shown, the save only once the fetch's answer has filled the rows, and the
// same handling of every answer.
class HoursExchange
{
public:
    HoursRequest LastRequest() const { return request_; }
    FetchState Fetched() const { return fetch_; }

    // The fetch is being sent.
    void FetchSent();

    // Whether the save may go out now; if so it counts as sent. Not before the fetch's answer has
    // filled the rows, and not after the fetch failed, which the user is told again.
    bool SaveMayGo();

    // Rows filled from a page's text; the warning to show when a record could not be read.
    using RowFiller = std::function<std::optional<QString>(const QString& text)>;

    // A completed page, taken as the answer to `answered`: a completion without an address is
    // ignored; an error page changes nothing (in answer to the fetch it is reported, as the rows
    // then hold no registration to save); any other page fills the rows, and when it answers the
    // save the saved message follows. Returns whether it did: the window then closes.
    bool AnswerArrived(HoursRequest answered, const QString& url, const QString& text,
                       const RowFiller& fillRows, const MessageRequest& savedMessage);

private:
    HoursRequest request_ = HoursRequest::None;
    FetchState fetch_ = FetchState::Pending;
};
