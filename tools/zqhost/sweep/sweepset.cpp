#include "sweepset.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

#include "atomicfile.h"

namespace zqhost {

namespace {

const char* sampleName(Sample sample) {
    return sample == Sample::In ? "in" : sample == Sample::Out ? "out" : "whole";
}

bool hashFile(const std::string& path, QCryptographicHash& hash, std::string& error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return error = "cannot read " + path + ": " + file.errorString().toStdString(), false;
    return true;
}

QByteArray fileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

bool runIdentity(const std::vector<std::string>& barFiles, const std::string& library,
                 const std::vector<std::string>& otherOptions, std::string& identity, std::string& error) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const std::string& path : barFiles) {
        hash.addData("bars\n", 5);
        if (!hashFile(path, hash, error)) return false;
    }
    hash.addData("library\n", 8);
    if (!hashFile(library, hash, error)) return false;
    for (const std::string& option : otherOptions) hash.addData(QByteArray::fromStdString("option " + option + "\n"));
    identity = hash.result().toHex().toStdString();
    return true;
}

std::string setId(const std::string& identity, const ParamSet& params) {
    QByteArray text = QByteArray::fromStdString(identity + "\n" + setKey(params));
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex().left(16).toStdString();
}

std::string setFolder(const std::string& sweepDir, const std::string& id) {
    return sweepDir + "/sets/" + id;
}

bool writeSetFile(const std::string& sweepDir, const SweepSet& set, std::string& error) {
    const std::string folder = setFolder(sweepDir, set.id);
    if (!QDir().mkpath(QString::fromStdString(folder))) return error = "cannot create " + folder, false;
    QJsonObject params;
    for (const auto& [name, value] : set.params) params.insert(QString::fromStdString(name), QString::fromStdString(value));
    QJsonObject object{{"id", QString::fromStdString(set.id)},
                       {"parameters", params},
                       {"sample", sampleName(set.sample)},
                       {"pairedWith", QString::fromStdString(set.pairedWith)}};
    return writeFileAtomically(folder + "/set.json", QJsonDocument(object).toJson().toStdString(), error);
}

std::vector<SweepSet> readSets(const std::string& sweepDir) {
    std::vector<SweepSet> sets;
    QDir dir(QString::fromStdString(sweepDir + "/sets"));
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        QJsonObject object = QJsonDocument::fromJson(fileBytes(setFolder(sweepDir, name.toStdString()) + "/set.json")).object();
        if (object.value("id").toString() != name) continue;
        SweepSet set;
        set.id = name.toStdString();
        QJsonObject params = object.value("parameters").toObject();
        for (auto it = params.begin(); it != params.end(); ++it)
            set.params[it.key().toStdString()] = it.value().toString().toStdString();
        QString sample = object.value("sample").toString();
        set.sample = sample == "in" ? Sample::In : sample == "out" ? Sample::Out : Sample::Whole;
        set.pairedWith = object.value("pairedWith").toString().toStdString();
        sets.push_back(set);
    }
    return sets;
}

SetOutcome readOutcome(const std::string& sweepDir, const std::string& id) {
    SetOutcome outcome;
    QByteArray text = fileBytes(setFolder(sweepDir, id) + "/exit-status").trimmed();
    int status = 0;
    double ms = 0;
    int fields = std::sscanf(text.constData(), "%d %lf", &status, &ms);
    if (text.isEmpty() || fields < 1) return outcome;
    outcome.finished = true;
    outcome.exitStatus = status;
    if (fields == 2) outcome.runSeconds = ms / 1000;
    return outcome;
}

bool writeOutcome(const std::string& sweepDir, const std::string& id, int status, double milliseconds,
                  std::string& error) {
    char text[64];
    std::snprintf(text, sizeof text, "%d %.0f\n", status, milliseconds);
    return writeFileAtomically(setFolder(sweepDir, id) + "/exit-status", text, error);
}

std::vector<std::string> logTail(const std::string& sweepDir, const std::string& id, int lines) {
    QFile file(QString::fromStdString(setFolder(sweepDir, id) + "/log.txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    // The end of a long log is enough.
    const qint64 keep = 64 * 1024;
    if (file.size() > keep) file.seek(file.size() - keep);
    QList<QByteArray> all = file.readAll().split('\n');
    while (!all.isEmpty() && all.back().trimmed().isEmpty()) all.removeLast();
    std::vector<std::string> tail;
    for (int i = std::max(0, static_cast<int>(all.size()) - lines); i < all.size(); ++i)
        tail.push_back(QString::fromUtf8(all[i]).remove('\r').toStdString());
    return tail;
}

}  // namespace zqhost
