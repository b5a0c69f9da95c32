#include "outputfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace zqhost {

namespace {

// One spelling per file: an existing file's canonical path (links and
// "..", resolved), otherwise the cleaned absolute path.
QString identity(const std::string& path) {
    QFileInfo info(QString::fromStdString(path));
    QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

}  // namespace

bool outputsAreDistinct(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs,
                        std::string& error) {
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (outputs[i].path.empty()) continue;
        QString self = identity(outputs[i].path);
        for (size_t j = 0; j < i; ++j) {
            if (outputs[j].path.empty() || identity(outputs[j].path) != self) continue;
            error = outputs[j].option + " and " + outputs[i].option + " name the same file " + outputs[i].path +
                    ": give each its own";
            return false;
        }
        for (const NamedFile& input : inputs) {
            if (identity(input.path) != self) continue;
            error = outputs[i].option + " " + outputs[i].path + " would overwrite the " + input.option + " file";
            return false;
        }
    }
    return true;
}

bool canWriteResult(const NamedFile& file, std::string& error) {
    if (QFileInfo(QString::fromStdString(file.path)).isDir()) {
        error = "cannot write " + file.option + " " + file.path + ": it is a directory";
        return false;
    }
    QSaveFile probe(QString::fromStdString(file.path));
    if (!probe.open(QIODevice::WriteOnly)) {
        error = "cannot write " + file.option + " " + file.path + ": " + probe.errorString().toStdString();
        return false;
    }
    probe.cancelWriting();
    return true;
}

}  // namespace zqhost
