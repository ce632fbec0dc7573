#include "app/FileChooser.h"

#include "files/DataFile.h"

#include <QFileDialog>

std::optional<QString> DialogFileChooser::chooseOpen(QWidget* parent, const QString& filter)
{
    const QString name = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> DialogFileChooser::chooseSave(QWidget* parent, const QString& filter, const QString& suggested)
{
    const QString name = QFileDialog::getSaveFileName(parent, QString(), suggested, filter);
    if (name.isEmpty())
        return std::nullopt;
    // The channel file's name is made from the data file's extension; without one it would
    // take the end of the name itself.
    return WithDataFileExtension(name);
}
