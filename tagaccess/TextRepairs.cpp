#include "TextRepairs.h"

#include "textrepair/TextRepair.h"

namespace tagaccess {
namespace {

// Whether `cut` is `whole` as an ID3v1 field holds it: the same, or its first 30 characters.
bool SameOrCut(const QString& cut, const QString& whole) {
    constexpr int kId3v1Width = 30;
    return cut == whole || (cut.size() == kId3v1Width && whole.startsWith(cut));
}

} // namespace

std::optional<TextRepair> RepairText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const auto repair =
        kivuna::textrepair::Diagnose(std::string_view(utf8.constData(), size_t(utf8.size())));
    if (!repair)
        return std::nullopt;
    const std::string_view damage = kivuna::textrepair::DamageName(repair->damage);
    return TextRepair{QString::fromStdString(repair->text),
                      QString::fromUtf8(damage.data(), qsizetype(damage.size()))};
}

std::optional<QString> ReadableOfBoth(const QString& id3v1, const QString& id3v2) {
    if (const auto two = RepairText(id3v2); two && SameOrCut(id3v1, two->text))
        return two->text;
    if (const auto one = RepairText(id3v1); one && SameOrCut(one->text, id3v2))
        return id3v2;
    return std::nullopt;
}

} // namespace tagaccess
