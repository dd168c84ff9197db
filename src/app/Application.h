#pragma once

#include <QtGlobal>

class QMessageLogContext;
class QString;

namespace pluviane {

// Asks for the OpenGL compatibility profile the view draws with; call before
// the application object is created.
void setDefaultSurfaceFormat();

// For programs whose windows are never shown: passes on only the toolkit's
// critical and fatal messages; its remarks about the hidden windows (no runtime
// folder, no OpenGL widgets offscreen) mean nothing to a user there.
void keepSeriousToolkitMessages(QtMsgType type, const QMessageLogContext& context, const QString& text);

// Lets at most one message of the sound system through for the whole run: with
// no sound server it repeats its failed connection on every file and play.
// Every other message goes on to the handler that was there before.
void passOneSoundSystemMessage();

// Application-wide names; call once the application object exists.
// Window titles stay as each window sets them.
void setApplicationNames();

} // namespace pluviane
