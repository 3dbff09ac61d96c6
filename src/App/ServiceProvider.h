#pragma once

#include "Core/Router.h"

#include <QObject>
#include <QString>

class QMimeData;

// Answers the file managers' right-click action "send to Quillfern": its pasteboard carries a
// URL list or the legacy list of file names.
class ServiceProvider : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Delivers the pasteboard's files to a tab and brings it forward. With no files, `error` gets
    // the text to show to the user and nothing else happens. The user data is ignored.
    void sendToQuillfern(const QMimeData &pasteboard, const QString &userData, QString *error);

    // The files of a pasteboard: its local file URLs (web addresses are no paths), else its
    // legacy file-name list (absolute names only). They are handed on as read, without testing
    // that they exist.
    static PathList files(const QMimeData &pasteboard);
};
