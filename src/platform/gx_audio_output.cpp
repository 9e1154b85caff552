#include "platform/gx_audio_output.h"

#include <SDL.h>

#include "base/gx_string.h"

namespace {

class SdlAudioOutput final : public GxAudioOutput {
public:
    ~SdlAudioOutput() override { Close(); }

    bool Open(GxAudioRenderer* renderer, GxU32 rate) override {
        Close();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            m_Description = gx::Utf8ToUtf16(SDL_GetError());
            return false;
        }
        m_SubsystemStarted = true;
        SDL_AudioSpec wanted{};
        wanted.freq = static_cast<int>(rate);
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = 1024;
        wanted.callback = &SdlAudioOutput::Callback;
        wanted.userdata = renderer;
        SDL_AudioSpec obtained{};
        m_Device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (m_Device == 0) {
            m_Description = gx::Utf8ToUtf16(SDL_GetError());
            Close();
            return false;
        }
        const char* driver = SDL_GetCurrentAudioDriver();
        m_Description = gx::Utf8ToUtf16(driver ? driver : "?");
        SDL_PauseAudioDevice(m_Device, 0);
        return true;
    }

    void Close() override {
        if (m_Device) {
            SDL_CloseAudioDevice(m_Device);
            m_Device = 0;
        }
        if (m_SubsystemStarted) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            m_SubsystemStarted = false;
        }
    }

    std::u16string GetDescription() const override { return m_Description; }
    bool IsDevice() const override { return true; }

private:
    static void Callback(void* userdata, Uint8* stream, int length) {
        auto* renderer = static_cast<GxAudioRenderer*>(userdata);
        renderer->RenderAudio(reinterpret_cast<GxS16*>(stream), static_cast<GxU32>(length / 4));
    }

    SDL_AudioDeviceID m_Device = 0;
    bool m_SubsystemStarted = false;
    std::u16string m_Description;
};

}  // namespace

namespace gx {

std::unique_ptr<GxAudioOutput> CreateSdlAudioOutput() {
    return std::make_unique<SdlAudioOutput>();
}

}  // namespace gx
