// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What Pollwick and a list server agree on, and how often Pollwick asks.
namespace pollwick {

// The port a list server answers on: connecting is the whole request, and
// the answer is the list.
inline constexpr int kListServerPort = 10057;

// While scanning, the list server is asked at once and then again at this
// interval, in milliseconds.
inline constexpr int kRequeryIntervalMs = 5000;

} // namespace pollwick
