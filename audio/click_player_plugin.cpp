#include "audio/click_player.h"
#include "audio/sink_click_player.h"

#include <QObject>

// The plugin's entry: the program finds the factory by its interface.
class SinkClickPlayerFactory final : public QObject, public ClickPlayerFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ClickPlayerFactory_iid)
    Q_INTERFACES(ClickPlayerFactory)

public:
    std::unique_ptr<ClickPlayer> createPlayer() override { return std::make_unique<SinkClickPlayer>(); }
};

#include "click_player_plugin.moc"
