Are You There:'S1F1' W
.
On Line Data:'S1F2'
<L [2]
    <A [6] 'MDL-01'>
    <A [6] '1.0.03'>
>
.
Establish Communication Request:'S1F13'W
<L [2]
    <A [0] ''>
    <A [0] ''>
>
.
Alarm Report:'S5F1' W
<L [3]
    <B [1] 0x81>
    <U4 [1] 1001>
    <A [12] 'it's on fire'>
>
.
Values:'S6F11' W
<L [4]
    <Boolean [2] True False>
    <F4 [3] 1.5 NaN -Infinity>
    <J [2] 'ab'>
    <U4 [0] >
>
.
