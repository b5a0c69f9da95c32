#include "atomicfile.h"

#include <QSaveFile>
#include <QString>

namespace zqhost {

namespace {

bool fail(const std::string& path, const QString& reason, std::string& error) {
    error = "cannot write " + path + ": " + reason.toStdString();
    return false;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::string& content, std::string& error) {
    // QSaveFile writes beside the target and renames on commit; it never
    // falls back to writing the target in place unless asked to.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return fail(path, file.errorString(), error);
    qint64 size = static_cast<qint64>(content.size());
    if (file.write(content.data(), size) != size) {
        QString reason = file.errorString();  // cancelling replaces it
        file.cancelWriting();
        return fail(path, reason, error);
    }
    if (!file.commit()) return fail(path, file.errorString(), error);
    return true;
}

}  // namespace zqhost
