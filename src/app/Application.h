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

// Application-wide names; call once the application object exists.
// Window titles stay as each window sets them.
void setApplicationNames();

} // namespace pluviane
