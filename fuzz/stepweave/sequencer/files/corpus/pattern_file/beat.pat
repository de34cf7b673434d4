Beat
Length:
4
Time:
4



Channel:1
Channel:2
Channel:3
Channel:4
Channel:5
Channel:6
1:0*
Kick      [ ]





2:1






3:2

Snare     [3]




4:3






5:0*






60
2
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
