#pragma once
#include <QDir>
#include <QString>

namespace vel {

// The folder the program reads its data files from and keeps the patients'
// files in. The program uses the working directory; tests use a scratch folder.
class WorkingFolder {
public:
    explicit WorkingFolder(QString root = QDir::currentPath()) : root_(std::move(root)) {}

    const QString& root() const { return root_; }
    QString file(const QString& name) const { return QDir(root_).filePath(name); }

    QString stats() const { return file(QStringLiteral("Stats.cef")); }
    QString boltonTables() const { return file(QStringLiteral("Bolton.cef")); }
    QString reportDefinitions() const { return file(QString::fromUtf8("An\xc3\xa1lises.rav")); }
    QString analyses() const { return file(QStringLiteral("Analyses")); }

private:
    QString root_;
};

}  // namespace vel
