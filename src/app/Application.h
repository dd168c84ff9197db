#pragma once

namespace pluviane {

// Asks for the OpenGL compatibility profile the view draws with; call before
// the application object is created.
void setDefaultSurfaceFormat();

// Application-wide names; call once the application object exists.
// Window titles stay as each window sets them.
void setApplicationNames();

} // namespace pluviane
