#pragma once

namespace pluviane {

// A multisampled framebuffer the realistic look draws its solid parts into,
// resolved into a layer of one sample a pixel that is kept from frame to
// frame (a frame whose solids have not changed shows the layer again instead
// of drawing them), and the layer copied into whatever framebuffer was bound
// before (the window's, an offscreen frame's). The classic look never uses
// it, so its pictures stay exactly as they were, whatever the window or frame
// was made with.
class MultisampleTarget {
public:
    MultisampleTarget() = default;
    ~MultisampleTarget();
    MultisampleTarget(const MultisampleTarget&) = delete;
    MultisampleTarget& operator=(const MultisampleTarget&) = delete;

    // Notes the framebuffer bound now and sizes the buffers to the current
    // viewport. False when the driver offers no multisampling or memory.
    bool prepare();
    // True when the layer holds a frame of the prepared size.
    bool hasLayer() const { return hasLayer_; }
    // Binds the multisampled buffer.
    void begin();
    // Resolves the multisampled buffer into the layer and binds the layer.
    void resolve();
    // Copies the layer into the framebuffer bound at prepare() and binds it again.
    void present();
    // Frees the buffers; the context they were made in must be current.
    void release();

private:
    bool ensure(int width, int height);

    unsigned framebuffer_ = 0;
    unsigned colour_ = 0;
    unsigned depth_ = 0;
    unsigned layer_ = 0;       // framebuffer of one sample a pixel
    unsigned layerColour_ = 0;
    int width_ = 0;
    int height_ = 0;
    int previous_ = 0;
    bool hasLayer_ = false;
    bool failed_ = false;
};

} // namespace pluviane
