#include "runinfo.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

#include "htmltext.h"
#include "numbertext.h"
#include "options.h"

namespace zqhost {

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QJsonObject fileJson(const FileFacts& f) {
    return {{"path", text(f.path)}, {"size", static_cast<double>(f.size)}, {"sha256", text(f.sha256)}};
}

QJsonObject accountJson(const AccountOptions& a) {
    QJsonObject accounts;
    for (const auto& [type, id] : a.accounts) accounts.insert(text(type), text(id));
    return {{"accounts", accounts}, {"cash", a.cash}, {"commission", a.commission}, {"partialFills", a.partialFills}};
}

QJsonObject errorJson(const CallbackError& e) {
    return {{"callback", text(e.callback)}, {"exception", text(e.exception)}, {"time", text(e.time)}};
}

std::string row(const std::string& label, const std::string& value) {
    return "<tr><th>" + escapeHtml(label) + "</th><td>" + escapeHtml(value) + "</td></tr>";
}

std::string fileText(const FileFacts& f) {
    if (f.size < 0) return f.path + " (could not be read)";
    return f.path + ", " + groupedNumber(static_cast<double>(f.size), 0) + " bytes, SHA-256 " + f.sha256;
}

std::string accountText(const AccountOptions& a) {
    std::string out;
    for (const auto& [type, id] : a.accounts) out += type + " " + id + ", ";
    char rate[32];
    std::snprintf(rate, sizeof rate, "%g", a.commission);
    out += "cash " + moneyText(a.cash) + ", commission " + rate;
    return out + (a.partialFills ? ", partial fills" : "");
}

std::string statusLine(const RunInfo& info) {
    std::string status = runStatus(info);
    std::string line = "Status: " + status + ", exit status " + std::to_string(info.exitStatus);
    if (info.interrupted) line += "; interrupted at simulated time " + info.reached;
    if (!info.callbackErrors.empty()) line += "; " + std::to_string(info.callbackErrors.size()) + " callback exception(s)";
    return "<p class=\"status " + std::string(status == "done" ? "clean" : "unclean") + "\">" + escapeHtml(line) +
           "</p>";
}

std::string errorsTable(const std::vector<CallbackError>& errors) {
    if (errors.empty()) return "";
    std::string rows;
    for (const CallbackError& e : errors)
        rows += "<tr><td>" + escapeHtml(e.time) + "</td><td>" + escapeHtml(e.callback) + "</td><td>" +
                escapeHtml(e.exception) + "</td></tr>";
    return "<table id=\"callback-exceptions\"><thead><tr><th>Simulated time</th><th>Callback</th><th>Exception</th>"
           "</tr></thead><tbody>" + rows + "</tbody></table>";
}

}  // namespace

FileFacts fileFacts(const std::string& path) {
    FileFacts facts{path, -1, {}};
    QFile file(text(path));
    if (!file.open(QIODevice::ReadOnly)) return facts;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return facts;
    facts.size = file.size();
    facts.sha256 = hash.result().toHex().toStdString();
    return facts;
}

RunInfo describeRun(const Options& options, const std::string& runParams, const std::string& version) {
    RunInfo info;
    info.version = version;
    // Only the summary file and the report show the files' facts, and
    // hashing the bar files costs as much as a third of a long replay.
    if (!options.summaryPath.empty() || !options.reportPath.empty()) {
        info.library = fileFacts(options.strategyPath);
        for (const std::string& path : options.barFiles) info.barFiles.push_back(fileFacts(path));
    }
    info.parameters = runParams;
    info.account = {options.accountIds, options.cash, options.commission, options.partialFills};
    return info;
}

std::string runStatus(const RunInfo& info) {
    if (info.interrupted) return "interrupted";
    if (!info.callbackErrors.empty()) return "callback errors";
    return "done";
}

QJsonObject runInfoJson(const RunInfo& info) {
    QJsonArray bars, errors;
    for (const FileFacts& f : info.barFiles) bars.append(fileJson(f));
    for (const CallbackError& e : info.callbackErrors) errors.append(errorJson(e));
    return {{"status", text(runStatus(info))},
            {"exitStatus", info.exitStatus},
            {"interrupted", info.interrupted},
            {"reached", text(info.reached)},
            {"zqhostVersion", text(info.version)},
            {"library", fileJson(info.library)},
            {"barFiles", bars},
            {"parameters", QJsonDocument::fromJson(QByteArray::fromStdString(info.parameters)).object()},
            {"account", accountJson(info.account)},
            {"callbackExceptions", errors}};
}

std::string runInfoHtml(const RunInfo& info) {
    std::string rows = row("Library", fileText(info.library));
    for (const FileFacts& f : info.barFiles) rows += row("Bars", fileText(f));
    rows += row("Parameters", info.parameters) + row("Account", accountText(info.account)) +
            row("zqhost", info.version);
    return statusLine(info) + errorsTable(info.callbackErrors) + "<table id=\"run\"><tbody>" + rows +
           "</tbody></table>";
}

}  // namespace zqhost
