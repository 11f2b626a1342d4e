<S1F1 P x>
<A 1 x > trailing
  junk <U1 1 y >
>
>
