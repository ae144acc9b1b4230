#include "DllErrors.h"

namespace tagaccess {
namespace {

QString FillFormat(QString format, const QString& name) {
    const qsizetype at = format.indexOf(QLatin1String("%s"));
    return at < 0 ? format : format.replace(at, 2, name);
}

bool english = false;

} // namespace

EDllError::EDllError(const QString& format, const QString& name)
    : Exception(FillFormat(format, name)), name_(name) {}

const DllErrorFormats& DllErrorFormats::Instance() {
    static const DllErrorFormats formats =
        english ? DllErrorFormats{QStringLiteral("The tag library could not be loaded: %s"),
                                  QStringLiteral("The tag library lacks the function %s")}
                : DllErrorFormats{
                      QStringLiteral("Ошибка загрузки библиотеки: %s"),
                      QStringLiteral("Ошибка получения адреса функции: %s"),
                  };
    return formats;
}

void DllErrorFormats::UseEnglish() {
    english = true;
}

} // namespace tagaccess
