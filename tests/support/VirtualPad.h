// A game controller plugged in by a test: SDL's virtual joystick with the
// buttons and axes of SDL's controller layout, so SDL sees a GameController.
// Every change is followed by Wimdows::Sync, which returns once the window
// thread has turned it into input state. A pad lives within one window: the
// window's end unplugs it.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "Wimdows.h"

class VirtualPad {
  public:
    VirtualPad() {
        SDL_VirtualJoystickDesc d{};
        d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        d.naxes = SDL_CONTROLLER_AXIS_MAX;
        d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        d.name = "Virtual pad";
        // The window thread opens the pad only once its triggers rest: a
        // virtual axis starts in the middle, which is a trigger half pulled.
        SDL_LockJoysticks();
        const int index = SDL_JoystickAttachVirtualEx(&d);
        joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        if (joystick) {
            for (auto t : {SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT})
                SDL_JoystickSetVirtualAxis(joystick, t, SDL_JOYSTICK_AXIS_MIN);
            SDL_JoystickUpdate();
        }
        SDL_UnlockJoysticks();
        Wimdows::Sync();
    }
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool Plugged() const { return joystick != nullptr; }

    // -1 to 1 on a stick, 0 to 1 on a trigger.
    void Axis(SDL_GameControllerAxis axis, float value) {
        const bool trigger =
            axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
        const float raw = trigger ? value * 65535.0f - 32768.0f : value * 32767.0f;
        SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<int16_t>(raw));
        Wimdows::Sync();
    }
    void Stick(bool right, float x, float y) {
        SDL_JoystickSetVirtualAxis(joystick,
                                   right ? SDL_CONTROLLER_AXIS_RIGHTX : SDL_CONTROLLER_AXIS_LEFTX,
                                   static_cast<int16_t>(x * 32767.0f));
        Axis(right ? SDL_CONTROLLER_AXIS_RIGHTY : SDL_CONTROLLER_AXIS_LEFTY, y);
    }
    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
        Wimdows::Sync();
    }
    void Press(SDL_GameControllerButton button) {
        Button(button, true);
        Button(button, false);
    }

    void Unplug() {
        if (!joystick) return;
        // The window's end took every joystick with it.
        if (Wimdows::State() == Wimdows::STATE_ACTIVE) {
            const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
            SDL_JoystickClose(joystick);
            for (int i = 0; i < SDL_NumJoysticks(); ++i)
                if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
            Wimdows::Sync();
        }
        joystick = nullptr;
    }

  private:
    SDL_Joystick* joystick = nullptr;
};
