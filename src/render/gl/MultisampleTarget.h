#pragma once

namespace pluviane {

// A multisampled framebuffer the realistic look draws into, resolved into
// whatever framebuffer was bound before (the window's, an offscreen frame's)
// at the end of the frame. The classic look never uses it, so its pictures
// stay exactly as they were, whatever the window or frame was made with.
class MultisampleTarget {
public:
    MultisampleTarget() = default;
    ~MultisampleTarget();
    MultisampleTarget(const MultisampleTarget&) = delete;
    MultisampleTarget& operator=(const MultisampleTarget&) = delete;

    // Binds the multisampled buffer, sized to the current viewport. False
    // (and nothing bound) when the driver offers no multisampling or memory.
    bool begin();
    // Resolves into the framebuffer bound before begin() and binds it again.
    void end();
    // Frees the buffers; the context they were made in must be current.
    void release();

private:
    bool ensure(int width, int height);

    unsigned framebuffer_ = 0;
    unsigned colour_ = 0;
    unsigned depth_ = 0;
    int width_ = 0;
    int height_ = 0;
    int previous_ = 0;
    bool failed_ = false;
};

} // namespace pluviane
