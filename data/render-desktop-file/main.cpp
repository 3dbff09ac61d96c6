// Puts the installed program into one of the desktop-file templates at install time, quoted for
// the template's format by the same code that writes the user's own copies.
//   quillfern-render-desktop-file TEMPLATE OUTPUT PROGRAM    (OUTPUT ending in .py: a Python string)
#include "Platform/FileManagerActions.h"

#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: quillfern-render-desktop-file TEMPLATE OUTPUT PROGRAM\n");
        return 2;
    }
    QFile in(QFile::decodeName(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], in.errorString().toLocal8Bit().constData());
        return 1;
    }
    const QString output = QFile::decodeName(argv[2]);
    QString text;
    try {
        text = FileManagerActions::render(QString::fromUtf8(in.readAll()), QString::fromUtf8(argv[3]),
                                          output.endsWith(QLatin1String(".py")));
    } catch (const FileManagerActions::Error &) {
        // No desktop file can name such a program: the install stops instead of writing a broken one.
        std::fprintf(stderr,
                     "the program's path %s cannot go into %s: it holds a line break or another "
                     "control character\n",
                     argv[3], argv[2]);
        return 1;
    }
    QFile out(output);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0 ||
        !out.flush()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], out.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
