#pragma once

// Whether a window's rows hold the service's answer to its fetch. The completion button acts only
// once they do, so that rows never filled are not sent as the pharmacy's hours.
enum class FetchState
{
    Pending, // the fetch is under way
    Applied, // the last answer filled every row
    Failed,  // an error page, or an answer that could not be read
};

// Tells the user that the registered hours could not be fetched, so nothing can be saved.
void WarnFetchFailed();
