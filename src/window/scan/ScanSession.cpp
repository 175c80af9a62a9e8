// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/scan/ScanSession.h"

namespace pollwick {

ScanSession::ScanSession(QObject* parent)
    : QObject(parent)
{ }

ScanSession::~ScanSession() = default;

void ScanSession::chooseServer()
{
    setState(ScanState::Ready);
}

void ScanSession::start()
{
    m_armed = true;
    setState(ScanState::Scanning);
}

void ScanSession::stop()
{
    setState(ScanState::Ready);
}

void ScanSession::matchFound()
{
    m_armed = false;
    setState(ScanState::Ready);
}

void ScanSession::passOver()
{
    m_armed = true;
}

void ScanSession::setState(ScanState state)
{
    m_state = state;
    // Announced even when it stays: the window sets every control from the
    // state, and a match after Stop puts back what the user left.
    emit stateChanged(m_state);
}

} // namespace pollwick
