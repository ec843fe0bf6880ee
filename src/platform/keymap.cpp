#include "platform/keymap.h"

#include <SDL.h>

#include "runtime/keys.h"

namespace kv::platform {

int virtualKeyFor(int sym, int scancode) {
    // The numeric keypad by position, whatever Num Lock says.
    switch (scancode) {
        case SDL_SCANCODE_KP_0: return vk::Numpad0;
        case SDL_SCANCODE_KP_1: return vk::Numpad0 + 1;
        case SDL_SCANCODE_KP_2: return vk::Numpad0 + 2;
        case SDL_SCANCODE_KP_3: return vk::Numpad0 + 3;
        case SDL_SCANCODE_KP_4: return vk::Numpad0 + 4;
        case SDL_SCANCODE_KP_5: return vk::Numpad0 + 5;
        case SDL_SCANCODE_KP_6: return vk::Numpad0 + 6;
        case SDL_SCANCODE_KP_7: return vk::Numpad0 + 7;
        case SDL_SCANCODE_KP_8: return vk::Numpad0 + 8;
        case SDL_SCANCODE_KP_9: return vk::Numpad0 + 9;
        case SDL_SCANCODE_KP_MULTIPLY: return vk::Multiply;
        case SDL_SCANCODE_KP_PLUS: return vk::Add;
        case SDL_SCANCODE_KP_MINUS: return vk::Subtract;
        case SDL_SCANCODE_KP_PERIOD: return vk::Decimal;
        case SDL_SCANCODE_KP_DIVIDE: return vk::Divide;
        case SDL_SCANCODE_KP_ENTER: return vk::Return;
        default: break;
    }
    if (sym >= SDLK_a && sym <= SDLK_z) return vk::letter('A') + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return vk::F1 + (sym - SDLK_F1);
    switch (sym) {
        case SDLK_BACKSPACE: return vk::Back;
        case SDLK_TAB: return vk::Tab;
        case SDLK_RETURN: return vk::Return;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return vk::Shift;
        case SDLK_LCTRL: case SDLK_RCTRL: return vk::Control;
        case SDLK_LALT: case SDLK_RALT: return vk::Menu;
        case SDLK_PAUSE: return vk::Pause;
        case SDLK_CAPSLOCK: return vk::Capital;
        case SDLK_ESCAPE: return vk::Escape;
        case SDLK_SPACE: return vk::Space;
        case SDLK_PAGEUP: return vk::Prior;
        case SDLK_PAGEDOWN: return vk::Next;
        case SDLK_END: return vk::End;
        case SDLK_HOME: return vk::Home;
        case SDLK_LEFT: return vk::Left;
        case SDLK_UP: return vk::Up;
        case SDLK_RIGHT: return vk::Right;
        case SDLK_DOWN: return vk::Down;
        case SDLK_PRINTSCREEN: return vk::Snapshot;
        case SDLK_INSERT: return vk::Insert;
        case SDLK_DELETE: return vk::Delete;
        case SDLK_LGUI: return vk::LeftWin;
        case SDLK_RGUI: return vk::RightWin;
        case SDLK_APPLICATION: return vk::Apps;
        case SDLK_NUMLOCKCLEAR: return vk::NumLock;
        case SDLK_SCROLLLOCK: return vk::ScrollLock;
        case SDLK_SEMICOLON: return vk::Semicolon;
        case SDLK_EQUALS: return vk::Equals;
        case SDLK_COMMA: return vk::Comma;
        case SDLK_MINUS: return vk::Minus;
        case SDLK_PERIOD: return vk::Period;
        case SDLK_SLASH: return vk::Slash;
        case SDLK_BACKQUOTE: return vk::BackQuote;
        case SDLK_LEFTBRACKET: return vk::LeftBracket;
        case SDLK_BACKSLASH: return vk::Backslash;
        case SDLK_RIGHTBRACKET: return vk::RightBracket;
        case SDLK_QUOTE: return vk::Quote;
        default: return 0;
    }
}

}  // namespace kv::platform
