#include "output/atomic_file.h"

#include <QSaveFile>
#include <QString>

namespace kalvor {

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    return writeFileAtomically(path, [bytes](const ByteSink& sink) { return sink(bytes); });
}

bool writeFileAtomically(const std::string& path,
                         const std::function<bool(const ByteSink&)>& produce) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const ByteSink sink = [&file](std::string_view bytes) {
        const auto size = static_cast<qint64>(bytes.size());
        return file.write(bytes.data(), size) == size;
    };
    if (!produce(sink)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace kalvor
