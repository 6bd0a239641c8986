#pragma once

#include <QString>

// Whether the page at url answers the word "normal" (in any letter case, white space around it
// ignored): one plain GET, waited for on the calling thread. No connection, no answer within the
// request time-out, or a status other than success gives false.
bool CheckConnection(const QString& url);

// The start-up connectivity test of the test server's "ConTest.htm": up to four checks with
// pauses of 50 s between them; when all four fail the user is told, and start-up goes on in
// every case.
void RunConnectivityTest();
