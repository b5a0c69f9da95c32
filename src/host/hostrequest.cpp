#include "host/hostrequest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>

HostResultBlock::~HostResultBlock() {
    std::free(result_.data);
}

HostReply requestJson(zq::HostServices* host, int32_t code, const QJsonObject& params) {
    HostReply reply;
    if (!host) return reply;
    QJsonObject root;
    root.insert("params", params);
    QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Compact);
    HostResultBlock result;
    reply.returned = host->Request(code, json.constData(), result.get());
    reply.succeeded = result.succeeded();
    reply.hasText = result.hasText();
    reply.text = result.text();
    return reply;
}
