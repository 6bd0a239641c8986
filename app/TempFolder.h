#pragma once

#include <QString>

// Readies the shared temporary folder of the update: an existing folder loses the files an
// earlier update left there, but only plain files right inside a folder of the user's own that
// is not a link (another user may have put a link or anything else at its name: that is left
// alone), and a missing one is created. When it cannot be created the user is told
// ("폴더를 생성할수 없습니다") and the answer is no.
bool PrepareTempFolder(const QString& folder);
