# The engine's libraries: ks_library(<target> <export name> <folder glob>) builds a static library
# of the .cpp files in the folders the glob matches, puts each folder on its include path and
# collects the headers a game may include into KS_PUBLIC_HEADERS (installed as include/ks/*.h).

# Helpers of the engine's own, not part of what games build on: not installed.
set(KS_INTERNAL_HEADERS
    Decimal.h             # core: whole decimal numbers read from text
    FileBuffer.h          # core: std::streambuf over a ByteSource
    CellLayout.h          # display: where a screen's cells fall in pixels
    FrameSkipper.h        # display: frames left out when unchanged
    CameraObject.h        # world: a view moved by the arrow keys, for trying the view by hand
    SpatialGrid.h         # world: the collision grid
    SpriteParser.h        # resources: the sprite file format
    SoundDecoder.h        # audio: WAV decoding
    FileSampleStream.h    # audio: music's samples from its file
    GlyphAtlas.h          # sfml: the font's glyphs
    KeyboardSampler.h     # sfml: the X keyboard in one query
    QuadBatcher.h         # sfml: a frame in one draw call
    SfmlAudio.h           # sfml: the sound device
    SfmlScreen.h          # sfml: the window
    SfmlStream.h          # sfml: a ByteSource as an sf::InputStream
    XErrorWatch.h)        # sfml: the X error handler

set(KS_PUBLIC_HEADERS)

function(ks_library target export_name folder_glob)
  file(GLOB folders LIST_DIRECTORIES true ${folder_glob})
  set(sources)
  set(dirs)
  foreach(folder ${folders})
    if(IS_DIRECTORY ${folder})
      file(GLOB folder_sources CONFIGURE_DEPENDS ${folder}/*.cpp)
      file(GLOB folder_headers CONFIGURE_DEPENDS ${folder}/*.h)
      list(APPEND sources ${folder_sources})
      list(APPEND dirs ${folder})
      foreach(header ${folder_headers})
        get_filename_component(name ${header} NAME)
        if(NOT name IN_LIST KS_INTERNAL_HEADERS)
          list(APPEND KS_PUBLIC_HEADERS ${header})
        endif()
      endforeach()
    endif()
  endforeach()
  add_library(${target} STATIC ${sources})
  add_library(ks::${export_name} ALIAS ${target})
  # Position-independent, so that it links into shared libraries and PIE programs alike.
  set_target_properties(${target} PROPERTIES VERSION ${KS_VERSION} POSITION_INDEPENDENT_CODE ON
                                             EXPORT_NAME ${export_name})
  target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${dirs}>"
                                              $<INSTALL_INTERFACE:include>)
  set(KS_PUBLIC_HEADERS ${KS_PUBLIC_HEADERS} PARENT_SCOPE)
endfunction()
