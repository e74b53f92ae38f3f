// Every widget header of Qt includes this one first. A library that puts this folder ahead
// of Qt's on its include path is window-free: including a widget header there stops the build.
#error "A window-free library includes a widget header; move the code to the window library above it."
