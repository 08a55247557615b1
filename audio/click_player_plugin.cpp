#include "audio/click_export.h"
#include "audio/click_player.h"

#ifdef TACTORA_AUDIO_PULSE
#include "audio/pulse_click_player.h"
using PlatformClickPlayer = PulseClickPlayer;
#else
#include "audio/portaudio_click_player.h"
using PlatformClickPlayer = PortAudioClickPlayer;
#endif

#include <QObject>

// The plugin's entry: the program finds the factory by its interface.
class ClickPlayerPluginFactory final : public QObject, public ClickPlayerFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ClickPlayerFactory_iid)
    Q_INTERFACES(ClickPlayerFactory)

public:
    std::unique_ptr<ClickPlayer> createPlayer() override { return std::make_unique<PlatformClickPlayer>(); }
    ClickExportOutcome exportClickTrack(const ClickExport& request,
                                        const std::function<bool(double)>& progress) override {
        return ::exportClickTrack(request, progress);
    }
};

#include "click_player_plugin.moc"
