// Build tool: draws the frame's background pictures PIC/BK_1.jpg and PIC/BK_2.jpg into a folder.
#include "app/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    // Pictures need fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: trk5120-make-pictures FOLDER\n";
        return 2;
    }
    const QDir folder(args.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << args.at(1) << "\n";
        return 1;
    }
    for (const int language : {1, 2}) {
        const QString path = folder.filePath(QStringLiteral("BK_%1.jpg").arg(language));
        if (!PaintBackgroundPicture(language).save(path, "JPG", 85)) {
            QTextStream(stderr) << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
