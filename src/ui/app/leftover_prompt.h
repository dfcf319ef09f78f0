#pragma once

#include <vector>

#include "core/records/leftover_recording.h"

class WindowHost;
class QString;

// At start-up: the recordings a crashed or killed program left unsaved.
// "Открыть их?" opens each in a graph window as an unsaved record; "Нет"
// asks whether to delete them; "Отмена" leaves them for the next start.
void OfferLeftoverRecordings(WindowHost& host,
                             const std::vector<std::string>& folders = tornel::RecordingFolders());

// One line of the list the question shows: kind, date and time, duration,
// channels.
QString LeftoverLine(const tornel::LeftoverRecording& leftover);
