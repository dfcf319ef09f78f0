#pragma once

class QMdiSubWindow;
class TGraphFrm;
class WindowHost;

// The graph window's "Спектр..." command: the spectrum dialog over the
// window's record (its shown channels and time range); after "Продолжить"
// the spectrum is computed with the progress window and opens in a child
// window "Спектр: <channel> — <graph window's title>". A record that cannot
// give one (static, no channel shown) is told so instead. Returns the new
// window, or nullptr.
QMdiSubWindow* RunSpectrumFlow(WindowHost& host, TGraphFrm& graph);

// Makes `graph`'s "Спектр..." command run the flow on `host`.
void ConnectSpectrumCommand(WindowHost& host, TGraphFrm& graph);
