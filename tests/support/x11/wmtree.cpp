#include "support/x11/wmtree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zanpel::test {
namespace {

// A window's node; in i3 a floating window's node lies in a floating_con.
TSwayWindow WindowOf(const QJsonObject& node, const QJsonObject& parent) {
    TSwayWindow w;
    w.Found = true;
    w.Shell = node["shell"].toString().toStdString();
    w.AppId = node["app_id"].toString().toStdString();
    w.Name = node["name"].toString().toStdString();
    const QLatin1String floating("floating_con");
    w.Floating = node["type"].toString() == floating || parent["type"].toString() == floating;
    w.Sticky = node["sticky"].toBool() || parent["sticky"].toBool();
    w.Focused = node["focused"].toBool();
    const QJsonObject rect = node["rect"].toObject();
    w.X = rect["x"].toInt();
    w.Y = rect["y"].toInt();
    w.Width = rect["width"].toInt();
    w.Height = rect["height"].toInt();
    w.Window = node["window"].toInteger();
    return w;
}

bool IsWindow(const QJsonObject& node) {
    return node.contains("pid") || node["window"].toInteger() != 0;
}

TSwayWindow Find(const QJsonObject& node, const QJsonObject& parent, const QString& key,
                 const QString& value) {
    const QJsonValue own =
        node.contains(key) ? node[key] : node["window_properties"].toObject()[key];
    if (IsWindow(node) && own.toVariant().toString() == value)
        return WindowOf(node, parent);
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue child : node[children].toArray())
            if (TSwayWindow w = Find(child.toObject(), node, key, value); w.Found)
                return w;
    return {};
}

} // namespace

TSwayWindow FindSwayWindow(const std::string& tree, const std::string& key,
                           const std::string& value) {
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(tree));
    return Find(document.object(), {}, QString::fromStdString(key), QString::fromStdString(value));
}

} // namespace zanpel::test
