// Key events of the Windows console and the keys the game must get from them, in order.
#pragma once

#include <vector>

#include "terminal/console_keys.h"

namespace tarnwick::testing {

// Shift, Ctrl and Alt as the console reports them.
constexpr std::uint32_t Shift = 0x0010;
constexpr std::uint32_t LeftCtrl = 0x0008;
constexpr std::uint32_t LeftAlt = 0x0002;
constexpr std::uint32_t RightAlt = 0x0001;

inline const std::vector<ConsoleKeyEvent> ConsoleKeyCases{
    {true, 'W', u'w', 0, 1},       {false, 'W', u'w', 0, 1},   // a press and its release
    {true, '7', u'7', 0, 1},       {true, 0x25, 0, 0, 1},      // a digit; left
    {true, 0x26, 0, LeftCtrl, 1},  {true, 0x10, 0, Shift, 1},  // Ctrl-up; Shift alone
    {true, 'A', u'A', Shift, 1},   {true, 0x74, 0, 0, 1},      // a capital; F5
    {true, 0x0d, u'\r', 0, 1},     {true, 0xe7, u'中', 0, 1},  // Enter; a Chinese character
    {true, '1', u'1', LeftAlt, 1}, {true, 'Q', u'@', RightAlt | LeftCtrl, 1},  // Alt-1; AltGr
    {true, 0x12, 0, LeftAlt, 1},   {true, 'D', u'd', 0, 3},                    // Alt alone; d held
};
inline const std::vector<int> ConsoleKeysExpected{
    'w',         '7',         'a',         'w', 'A', SequenceKey, SequenceKey,
    SequenceKey, SequenceKey, SequenceKey, 'd', 'd', 'd'};

}  // namespace tarnwick::testing
