#include "audio/click_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

#ifdef TACTORA_AUDIO_STATIC
Q_IMPORT_PLUGIN(ClickPlayerPluginFactory)
#endif

namespace {

ClickPlayerFactory* loadFactory(QString* error) {
    for (QObject* instance : QPluginLoader::staticInstances()) {
        if (auto* factory = qobject_cast<ClickPlayerFactory*>(instance)) {
            return factory;
        }
    }
    // Where it is installed beside the program, then Qt's own plugin folders, where the tests
    // point to the build's.
    QStringList folders{QDir(QCoreApplication::applicationDirPath())
                            .absoluteFilePath(QStringLiteral(TACTORA_AUDIO_PLUGIN_FOLDER))};
    folders += QCoreApplication::libraryPaths();
    QString reasons;
    for (const QString& folder : folders) {
        const QString path = QDir(folder).absoluteFilePath(QStringLiteral(TACTORA_AUDIO_PLUGIN_NAME));
        if (!QFileInfo::exists(path)) {
            continue;
        }
        QPluginLoader loader(path);
        // The loader may go: the plugin stays loaded until the program ends.
        if (auto* factory = qobject_cast<ClickPlayerFactory*>(loader.instance())) {
            return factory;
        }
        reasons += loader.errorString() + QLatin1Char('\n');
    }
    *error = reasons.isEmpty() ? QStringLiteral("The audio library %1 was not found.")
                                     .arg(QStringLiteral(TACTORA_AUDIO_PLUGIN_NAME))
                               : reasons.trimmed();
    return nullptr;
}

} // namespace

ClickPlayerFactory* clickPlayerFactory(QString* error) {
    static QString failure;
    static ClickPlayerFactory* const factory = loadFactory(&failure);
    if (factory == nullptr && error != nullptr) {
        *error = failure;
    }
    return factory;
}
