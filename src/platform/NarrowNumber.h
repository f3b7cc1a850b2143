#pragma once
// Numbers read in place from narrow text (ASCII, UTF-8 or a code page: only
// ASCII takes part in a number), as readLeadingDouble reads them from wide
// text (platform/CFormat.h): a reader of a large file parses its bytes
// without widening them first.
#include <QByteArrayView>

namespace platform {

// The leading number as wtof reads it, into value; returns its length
// including the white space it skips, 0 (and value 0.0) when there is none.
[[nodiscard]] qsizetype readLeadingDouble(QByteArrayView text, double& value);

} // namespace platform
