#include "DllErrors.h"

namespace tagaccess {
namespace {

QString FillFormat(QString format, const QString& name) {
    const qsizetype at = format.indexOf(QLatin1String("%s"));
    return at < 0 ? format : format.replace(at, 2, name);
}

} // namespace

EDllError::EDllError(const QString& format, const QString& name)
    : Exception(FillFormat(format, name)), name_(name) {}

const DllErrorFormats& DllErrorFormats::Instance() {
    static const DllErrorFormats formats{
        QStringLiteral("Ошибка загрузки библиотеки: %s"),
        QStringLiteral("Ошибка получения адреса функции: %s"),
    };
    return formats;
}

} // namespace tagaccess
