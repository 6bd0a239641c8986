#pragma once

#include <QString>

// Readies the temporary folder of the update: an existing folder loses the files an earlier
// update left there, a missing one is created. When it cannot be created the user is told
// ("폴더를 생성할수 없습니다") and the answer is no.
bool PrepareTempFolder(const QString& folder);
