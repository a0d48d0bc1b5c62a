#include "app/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace velmora::app {

namespace {

// "*.TXT" -> "*.TXT *.txt": the filters come from a system whose file names
// ignore letter case.
QStringList patternsInBothCases(const QString& patterns)
{
    QStringList out;
    for (QString pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()}) {
            if (!variant.isEmpty() && !out.contains(variant))
                out << variant;
        }
    }
    return out;
}

// Qt reads a filter's patterns from its last parentheses, so the description's
// own "(*.txt)" has to go.
QString withoutTrailingPatterns(QString description)
{
    description = description.trimmed();
    if (description.endsWith(QLatin1Char(')'))) {
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0)
            description = description.left(open).trimmed();
    }
    return description;
}

} // namespace

FileDialogScript* FileDialogScript::active_ = nullptr;

OpenDialogSettings FileDialog::importSettings()
{
    OpenDialogSettings settings;
    settings.defaultExtension = QStringLiteral("txt");
    settings.filter = QStringLiteral("Text Files (*.txt)|*.TXT");
    settings.fileMustExist = true;
    settings.readOnly = true;
    return settings;
}

QStringList FileDialog::qtNameFilters(const QString& filter)
{
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = patternsInBothCases(parts[i + 1]);
        if (patterns.isEmpty())
            continue;
        QString description = withoutTrailingPatterns(parts[i]);
        if (!description.isEmpty())
            description += QLatin1Char(' ');
        out << description + QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

void FileDialog::applySettings(QFileDialog& dialog, const OpenDialogSettings& settings)
{
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(settings.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(settings.defaultExtension);
    dialog.setNameFilters(qtNameFilters(settings.filter));
    dialog.setOption(QFileDialog::ReadOnly, settings.readOnly);
}

QString FileDialog::getOpenFileName(QWidget* parent, const OpenDialogSettings& settings)
{
    if (FileDialogScript::active_)
        return FileDialogScript::active_->answer(settings);

    QFileDialog dialog(parent);
    applySettings(dialog, settings);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : QFileInfo(chosen.first()).absoluteFilePath();
}

FileDialogScript::FileDialogScript()
{
    Q_ASSERT(!active_);
    active_ = this;
}

FileDialogScript::~FileDialogScript()
{
    if (active_ == this)
        active_ = nullptr;
}

QString FileDialogScript::answer(const OpenDialogSettings& settings)
{
    asked_.append(settings);
    if (answers_.isEmpty()) {
        ++unanswered_;
        return QString();
    }
    const QString path = answers_.takeFirst();
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

} // namespace velmora::app
