#pragma once
// Pictures of a read document: an IMG tag's attributes, a picture file's type and
// path, loading it through the editor or the decoders, and an animation's frames.
#include "addon/convert/gif_reader.h"
#include "addon/core/html_reader.h"

namespace ks::addon {

// Picture types by file extension.
enum PictType : int { kPictBmp = 1, kPictGif = 2, kPictWmf = 3, kPictTif = 4, kPictJpg = 5, kPictPng = 6, kPictNone = 7 };

// Room for a picture path: an attribute value behind the document's folder.
inline constexpr int kPictPathSize = 1024;

// Reads the IMG tag in r (its attribute text) and places the picture at the end of the
// document, its ALT text kept with it; a picture that cannot be had is placed as a
// placeholder (its size, its ALT text), so that its tag is written back. Without SRC,
// the ALT text goes to the pending text. 1.
int ReadImgTag(HtmlCtx* ctx, HtmlReader* r);
// The editor's picture id for the file in name (kPictPathSize bytes, may be rewritten),
// or 0. alignment: 0 bottom, 1 middle, 2 top. During a read a file named again gets a
// picture sharing the first one's bytes, and one that failed fails again without a read.
int LoadPictFile(HtmlCtx* ctx, char* name, int alignment);
// The picture type of path (kPictPathSize bytes), which is resolved against the
// document's folder; kPictNone when there is no such readable file.
int ResolvePictPath(HtmlCtx* ctx, char* path);
// Turns the frame table's images into the picture's animation; 1, or 0 on a failure.
int AddPictFrames(HtmlCtx* ctx, int picture, GifFrameTable* frames, int alignment);
// Frees the DIBs a frame table still holds and the table.
void FreePictFrames(GifFrameTable* frames);

}
