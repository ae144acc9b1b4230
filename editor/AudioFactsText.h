#pragma once

#include "tagaccess/FileFacts.h"

#include <QString>
#include <optional>

// The texts the editor shows of a file's audio facts.
namespace editor {

// "[m:ss]", "[128 kbps]" or "[VBR 192 kbps]", "[44100 Hz]"; the empty brackets of the layout
// without facts.
QString PlayLengthText(const std::optional<tagaccess::AudioFacts>& facts);
QString BitrateText(const std::optional<tagaccess::AudioFacts>& facts);
QString SampleRateText(const std::optional<tagaccess::AudioFacts>& facts);

// The tag-info window's lines for a file: "name: value" each.
QString TagInfoText(const QString& path, const std::optional<tagaccess::AudioFacts>& facts);

} // namespace editor
